#include "wxcrafter/reader_uart_monitor_pannel_base/uart_monitor_pannel.h"

#include <algorithm>
#include <cstring>

#include <wx/notebook.h>

#include "wxcrafter/page_support/page_support.h"

uint8_t UartData[50] = {0};
int sendlenght = 0;

namespace {

// Two hexadecimal digits per byte of UartData.
const size_t kMaxInputDigits = 2 * sizeof UartData;

// Frames the view keeps: the newest, at a few hundred frames a second
// the last minute or so.
const int kShownLines = 5000;

// Why a send or a paste is refused, for the operation log.
wxString too_long_line()
{
    return wxString::Format(wxString::FromUTF8("输入数据最多%u个十六进制数字，过长的数据未被接受！"),
                            static_cast<unsigned>(kMaxInputDigits));
}

int hex_value(wxUniChar c)
{
    if (c >= '0' && c <= '9')
        return c.GetValue() - '0';
    if (c >= 'A' && c <= 'F')
        return c.GetValue() - 'A' + 10;
    return c.GetValue() - 'a' + 10;
}

}  // namespace

uart_monitor_pannel::uart_monitor_pannel(wxWindow* parent)
    : uart_monitor_pannelBase(parent, wxID_ANY, wxDefaultPosition, wxSize(500, 300), wxTAB_TRAVERSAL)
{
    // Typing stops at what UartData can hold; a longer paste is refused
    // whole rather than cut into a command nobody typed.
    InputData_textCtrl->SetMaxLength(kMaxInputDigits);
    InputData_textCtrl->Bind(wxEVT_TEXT_MAXLEN, [this](wxCommandEvent& event) {
        tell_operator(this, too_long_line());
        event.Skip();
    });
    // The sink is tracked: the binding goes with this page.
    if (wxNotebook* book = dynamic_cast<wxNotebook*>(parent))
        book->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &uart_monitor_pannel::OnPageChanged, this);
}

uart_monitor_pannel::~uart_monitor_pannel() {}

void uart_monitor_pannel::SetUartDataShow(wxString text, char mode)
{
    if (!behind_other_page()) {
        append_now(text, mode);
        return;
    }
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    pending.push_back({std::move(text), mode, lines});
    pending_lines += lines;
    while (pending.size() > 1 && pending_lines - pending.front().lines >= kShownLines) {
        pending_lines -= pending.front().lines;
        pending.pop_front();
    }
}

void uart_monitor_pannel::append_now(const wxString& text, char mode)
{
    textCtrl->SetDefaultStyle(wxTextAttr(mode ? *wxRED : *wxBLACK));
    textCtrl->AppendText(text);
    drop_oldest_lines(textCtrl, kShownLines);
}

bool uart_monitor_pannel::behind_other_page() const
{
    const wxNotebook* book = dynamic_cast<const wxNotebook*>(GetParent());
    return book && book->GetCurrentPage() != this;
}

void uart_monitor_pannel::show_pending()
{
    if (pending.empty())
        return;
    textCtrl->Freeze();
    // The waiting lines alone fill the view: what it shows now goes.
    if (pending_lines >= kShownLines)
        textCtrl->Clear();
    for (const Pending& p : pending)
        append_now(p.text, p.mode);
    textCtrl->Thaw();
    pending.clear();
    pending_lines = 0;
}

void uart_monitor_pannel::OnPageChanged(wxBookCtrlEvent& event)
{
    event.Skip();
    const wxNotebook* book = dynamic_cast<const wxNotebook*>(event.GetEventObject());
    if (book && book == GetParent() && book->GetCurrentPage() == this)
        show_pending();
}

void uart_monitor_pannel::clearUartData()
{
    pending.clear();
    pending_lines = 0;
    textCtrl->Clear();
}

void uart_monitor_pannel::InputDataEnter(wxCommandEvent&)
{
    cut_at_first_refused(InputData_textCtrl, is_hex_digit);
}

void uart_monitor_pannel::SendData(wxCommandEvent& event)
{
    const wxString text = InputData_textCtrl->GetValue();
    // Less than one whole byte is no command; more than UartData holds, or
    // a character that is no digit, only gets here past the filter.
    wxString refusal;
    if (text.length() < 2)
        refusal = wxString::FromUTF8("发送数据至少需要一个字节（两个十六进制数字）！");
    else if (text.length() > kMaxInputDigits)
        refusal = too_long_line();
    else if (!std::all_of(text.begin(), text.end(), is_hex_digit))
        refusal = wxString::FromUTF8("输入数据只能是十六进制数字！");
    if (!refusal.empty()) {
        tell_operator(this, refusal);
        event.Skip();
        return;
    }

    sendlenght = static_cast<int>(text.length() / 2);
    for (int i = 0; i < sendlenght; ++i)
        UartData[i] = static_cast<uint8_t>(hex_value(text[2 * i]) * 16 + hex_value(text[2 * i + 1]));
    post_request(wxEVT_SENDUARTDATA);
    event.Skip();
}

void uart_monitor_pannel::ClearData(wxCommandEvent& event)
{
    textCtrl->Clear();
    InputData_textCtrl->Clear();
    CheckBit_textCtrl->Clear();
    std::memset(UartData, 0, sizeof UartData);
    event.Skip();
}
