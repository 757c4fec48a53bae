#include "wxcrafter/page_support/inventory_stats.h"

#include <wx/font.h>
#include <wx/settings.h>
#include <wx/statbox.h>

#include "wxcrafter/page_support/antenna_rotation.h"
#include "wxcrafter/page_support/page_support.h"

namespace {

wxTextCtrl* new_stat_box(wxWindow* page)
{
    wxTextCtrl* box =
        new wxTextCtrl(page, wxID_ANY, wxT("0"), wxDefaultPosition, wxDefaultSize, wxTE_CENTRE | wxTE_READONLY);
    box->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_ACTIVECAPTION));
    box->SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_MENU));
    return box;
}

// A caption above its box, both in `column`.
void add_labelled(wxSizer* column, wxWindow* label, wxWindow* box)
{
    column->Add(label, 0, wxALL, 5);
    column->Add(box, 0, wxEXPAND | wxRIGHT, 30);
}

}  // namespace

tag_list_ctrl* inventory_stats::create_stats(wxWindow* page, wxSizer* sizer, const wxString& time_label)
{
    wxStaticBoxSizer* data_box = new wxStaticBoxSizer(wxHORIZONTAL, page, u8("数据"));
    sizer->Add(data_box, 0, wxEXPAND | wxALL, 5);

    wxBoxSizer* count_column = new wxBoxSizer(wxVERTICAL);
    data_box->Add(count_column, 1, wxEXPAND | wxLEFT, 50);
    InventoryTagNumber_staticText = new wxStaticText(page, wxID_ANY, u8("已盘存的标签总数量(个):"));
    InventoryTagNumber_textCtrl = new_stat_box(page);
    add_labelled(count_column, InventoryTagNumber_staticText, InventoryTagNumber_textCtrl);

    wxBoxSizer* speed_column = new wxBoxSizer(wxVERTICAL);
    data_box->Add(speed_column, 1, wxEXPAND | wxLEFT, 40);
    Identifytime_staticText = new wxStaticText(page, wxID_ANY, u8("命令识别速度(个/秒):"));
    Identifytime_textCtrl = new_stat_box(page);
    add_labelled(speed_column, Identifytime_staticText, Identifytime_textCtrl);
    ExcuteTime_staticText = new wxStaticText(page, wxID_ANY, u8("命令执行时间(毫秒):"));
    ExcuteTime_textCtrl = new_stat_box(page);
    add_labelled(speed_column, ExcuteTime_staticText, ExcuteTime_textCtrl);

    wxBoxSizer* total_column = new wxBoxSizer(wxVERTICAL);
    data_box->Add(total_column, 1, wxEXPAND | wxLEFT | wxRIGHT, 30);
    AcumulateData_staticText = new wxStaticText(page, wxID_ANY, u8("累计返回数据(条):"));
    AcumulateData_textCtrl = new_stat_box(page);
    add_labelled(total_column, AcumulateData_staticText, AcumulateData_textCtrl);
    Acumulatetime_staticText = new wxStaticText(page, wxID_ANY, time_label);
    Acumulatetime_textCtrl = new_stat_box(page);
    add_labelled(total_column, Acumulatetime_staticText, Acumulatetime_textCtrl);

    wxBoxSizer* list_row = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(list_row, 0, wxEXPAND | wxALL, 10);
    TagList_staticText = new wxStaticText(page, wxID_ANY, u8("标签列表:"));
    list_row->Add(TagList_staticText, 0, wxALIGN_CENTER_VERTICAL, 5);
    MinRSSI_staticText = new wxStaticText(page, wxID_ANY, wxT("Min RSSI:"));
    list_row->Add(MinRSSI_staticText, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 170);
    MinRSSI_textCtrl =
        new wxTextCtrl(page, wxID_ANY, wxT("0"), wxDefaultPosition, wxDefaultSize, wxTE_CENTRE | wxTE_READONLY);
    list_row->Add(MinRSSI_textCtrl, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 5);
    MaxRSSI_staticText = new wxStaticText(page, wxID_ANY, wxT("Max RSSI:"));
    list_row->Add(MaxRSSI_staticText, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 30);
    MaxRSSI_textCtrl =
        new wxTextCtrl(page, wxID_ANY, wxT("0"), wxDefaultPosition, wxDefaultSize, wxTE_CENTRE | wxTE_READONLY);
    list_row->Add(MaxRSSI_textCtrl, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 5);
    FlashManu_button = new wxButton(page, wxID_ANY, u8("刷新界面"));
    list_row->Add(FlashManu_button, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 70);
    SaveTag_button = new wxButton(page, wxID_ANY, u8("保存标签"));
    list_row->Add(SaveTag_button, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 30);

    tag_list_ctrl* list = new tag_list_ctrl(page);
    sizer->Add(list, 3, wxEXPAND | wxALL, 5);
    return list;
}

void inventory_stats::zero_stats()
{
    for (wxTextCtrl* box : {InventoryTagNumber_textCtrl, Identifytime_textCtrl, ExcuteTime_textCtrl,
                            AcumulateData_textCtrl, Acumulatetime_textCtrl, MinRSSI_textCtrl, MaxRSSI_textCtrl})
        box->SetValue(wxT("0"));
}

void inventory_stats::set_stats_fonts()
{
    const wxFont big(55, wxFONTFAMILY_ROMAN, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD);
    const wxFont counter(20, wxFONTFAMILY_ROMAN, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD);
    InventoryTagNumber_textCtrl->SetFont(big);
    for (wxTextCtrl* box : {Identifytime_textCtrl, ExcuteTime_textCtrl, AcumulateData_textCtrl, Acumulatetime_textCtrl})
        box->SetFont(counter);
    // GTK keeps a text box as high as its first font: make room for the
    // new one, then arrange the page again.
    for (wxTextCtrl* box : {InventoryTagNumber_textCtrl, Identifytime_textCtrl, ExcuteTime_textCtrl,
                            AcumulateData_textCtrl, Acumulatetime_textCtrl})
        box->SetMinSize(wxSize(-1, box->GetCharHeight() + box->FromDIP(10)));
    InventoryTagNumber_textCtrl->GetParent()->Layout();
}

void inventory_stats::SetTagNumber(int n)
{
    InventoryTagNumber_textCtrl->SetValue(wxString::Format(wxT("%d"), n));
}

void inventory_stats::SetIdentifyTime(long n)
{
    Identifytime_textCtrl->SetValue(wxString::Format(wxT("%ld"), n));
}

void inventory_stats::SetExcuteTime(wxString text)
{
    ExcuteTime_textCtrl->SetValue(text);
}

void inventory_stats::SetAcumulateData(wxString text)
{
    AcumulateData_textCtrl->SetValue(text);
}

void inventory_stats::SetAcumulatetime(wxString text)
{
    Acumulatetime_textCtrl->SetValue(text);
}

void inventory_stats::SetMinRSSI(wxString text)
{
    MinRSSI_textCtrl->SetValue(text);
}

void inventory_stats::SetMaxRSSI(wxString text)
{
    MaxRSSI_textCtrl->SetValue(text);
}

wxArrayString antenna_items(const antenna_rotation& rotation)
{
    wxArrayString items;
    for (const antenna_rotation::entry& e : rotation.entries())
        items.Add(wxString::FromUTF8(e.text));
    return items;
}

void show_antenna_entries(wxChoice* choice, antenna_rotation& rotation, int reader_type)
{
    rotation.set_reader_type(reader_type);
    const wxArrayString items = antenna_items(rotation);
    choice->Set(items);
    if (!items.IsEmpty())
        choice->SetSelection(0);
}

void fit_antenna_choice(wxChoice* choice)
{
    const wxArrayString shown = choice->GetStrings();
    const int selection = choice->GetSelection();
    antenna_rotation rotation;
    wxArrayString every = antenna_items(rotation);
    for (int reader_type = 0; reader_type <= 2; ++reader_type) {
        rotation.set_reader_type(reader_type);
        for (const wxString& item : antenna_items(rotation))
            every.Add(item);
    }
    choice->Set(every);
    choice->SetMinSize(wxSize(choice->GetBestSize().GetWidth(), -1));
    choice->Set(shown);
    choice->SetSelection(selection);
}

void inventory_stats::show_rssi_range(int lowest, int highest)
{
    SetMinRSSI(wxString::Format(wxT("%d"), lowest));
    SetMaxRSSI(wxString::Format(wxT("%d"), highest));
}

void inventory_stats::show_second(inventory_tally& tally)
{
    const long speed = tally.tick_second();
    SetAcumulatetime(wxString::FromUTF8(tally.seconds()));
    SetIdentifyTime(speed);
}

void reset_list_columns(wxListCtrl* list, std::initializer_list<std::pair<const char*, int>> columns)
{
    list->ClearAll();
    for (const auto& column : columns)
        list->AppendColumn(u8(column.first), wxLIST_FORMAT_LEFT, column.second);
}

void inventory_stats::SetInventoryButton(uint8_t state)
{
    StartInventory_button->SetLabel(u8(state == 1 ? "停止盘存" : "开始盘存"));
}
