#include "wxcrafter/reader_rw_pannel_base/reader_rw_wxcraft.h"

#include <wx/sizer.h>
#include <wx/statbox.h>

#include <algorithm>
#include <initializer_list>

#include "wxcrafter/page_support/inventory_stats.h"

static bool bBitmapLoaded = false;

namespace {

const int kCentreLeft = wxALIGN_CENTER | wxLEFT;

// A horizontal sizer in `parent` holding a label and, stretching, the box
// it names.
void add_labelled(wxWindow* page, wxSizer* parent, int proportion, int border, wxWindow* label, int label_flags,
                  wxWindow* box)
{
    wxBoxSizer* pair = new wxBoxSizer(wxHORIZONTAL);
    parent->Add(pair, proportion, kCentreLeft, page->FromDIP(border));
    pair->Add(label, 0, label_flags, page->FromDIP(5));
    pair->Add(box, 1, kCentreLeft, page->FromDIP(5));
}

}  // namespace

rfid_storage_pannelBase::rfid_storage_pannelBase(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                                 const wxSize& size, long style)
    : wxPanel(parent, id, pos, size, style)
{
    init_page_bitmaps(bBitmapLoaded);
    const int b5 = FromDIP(5);

    wxBoxSizer* page_sizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(page_sizer);

    // Row 1: single or multi-tag operation and the tag to select.
    wxBoxSizer* select_row = new wxBoxSizer(wxHORIZONTAL);
    page_sizer->Add(select_row, 0, wxEXPAND, b5);
    TagOperate_radioBox = new wxRadioBox(this, wxID_ANY, u8("标签操作"), wxDefaultPosition, wxDefaultSize,
                                         utf8_items({"单标签操作", "多标签操作"}), 1, wxRA_SPECIFY_COLS);
    TagOperate_radioBox->SetSelection(1);
    select_row->Add(TagOperate_radioBox, 0, wxEXPAND | wxALL, b5);

    wxStaticBoxSizer* tag_box = new wxStaticBoxSizer(wxHORIZONTAL, this, u8("选定操作标签"));
    select_row->Add(tag_box, 1, wxEXPAND | wxALL, b5);
    SelectedTag_staticText = new wxStaticText(this, wxID_ANY, u8("已选定标签:"));
    SelectedTag_textCtrl =
        new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_READONLY);
    add_labelled(this, tag_box, 1, 5, SelectedTag_staticText, kCentreLeft, SelectedTag_textCtrl);
    TagList_staticText = new wxStaticText(this, wxID_ANY, u8("标签列表:"));
    TagList_choice = new tag_choice(this, wxID_ANY);
    add_labelled(this, tag_box, 1, 5, TagList_staticText, kCentreLeft, TagList_choice);
    Select_button = new wxButton(this, wxID_ANY, u8("选定标签"));
    tag_box->Add(Select_button, 0, kCentreLeft, FromDIP(40));

    // Row 2: GB authentication beside reading and writing.
    wxBoxSizer* access_row = new wxBoxSizer(wxHORIZONTAL);
    page_sizer->Add(access_row, 0, wxEXPAND, 0);

    wxStaticBoxSizer* gb_box = new wxStaticBoxSizer(wxVERTICAL, this, u8("国标加密"));
    access_row->Add(gb_box, 0, wxEXPAND | wxALL, b5);
    key_staticText = new wxStaticText(this, wxID_ANY, u8("双向认证密钥(128bit)"));
    gb_box->Add(key_staticText, 0, kCentreLeft, b5);
    key_textCtrl = new wxTextCtrl(this, wxID_ANY, wxEmptyString);
    key_textCtrl->Disable();
    gb_box->Add(key_textCtrl, 0, wxEXPAND | wxLEFT | wxRIGHT, b5);
    wxBoxSizer* gb_buttons = new wxBoxSizer(wxHORIZONTAL);
    gb_box->Add(gb_buttons, 0, wxTOP, FromDIP(20));
    doubleidentify_button = new wxButton(this, wxID_ANY, u8("双向认证"));
    doubleidentify_button->Disable();
    gb_buttons->Add(doubleidentify_button, 0, kCentreLeft, b5);
    encryption_checkBox = new wxCheckBox(this, wxID_ANY, u8("加密通讯"));
    encryption_checkBox->SetValue(false);
    encryption_checkBox->Disable();
    gb_buttons->Add(encryption_checkBox, 0, kCentreLeft, FromDIP(70));

    wxStaticBoxSizer* rw_box = new wxStaticBoxSizer(wxVERTICAL, this, u8("读写标签"));
    access_row->Add(rw_box, 1, wxEXPAND | wxALL, b5);

    wxBoxSizer* read_row = new wxBoxSizer(wxHORIZONTAL);
    rw_box->Add(read_row, 1, wxEXPAND, b5);
    ModeSelect_radioBox = new wxRadioBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                         utf8_items({"6C", "GB"}), 1, wxRA_SPECIFY_ROWS);
    ModeSelect_radioBox->SetSelection(0);
    read_row->Add(ModeSelect_radioBox, 0, wxRIGHT, b5);
    TagReadArea_radioBox = new wxRadioBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                          utf8_items({"密码区", "EPC区", "TID区", "USER区"}), 1, wxRA_SPECIFY_ROWS);
    TagReadArea_radioBox->SetSelection(0);
    read_row->Add(TagReadArea_radioBox, 1, wxALIGN_CENTER, b5);
    ReadPassWord_staticText = new wxStaticText(this, wxID_ANY, u8("访问密码(HEX):"));
    ReadPassWord_textCtrl = new wxTextCtrl(this, wxID_ANY, wxEmptyString);
    // Wide enough to show all eight digits of a password.
    ReadPassWord_textCtrl->SetMinSize(
        wxSize(std::max(FromDIP(70), GetTextExtent(wxT("DDDDDDDD")).x + FromDIP(24)), -1));
    add_labelled(this, read_row, 0, 10, ReadPassWord_staticText, wxALIGN_CENTER, ReadPassWord_textCtrl);
    StartAddr_staticText = new wxStaticText(this, wxID_ANY, u8("起始地址(HEX):"));
    StartAddr_textCtrl = new wxTextCtrl(this, wxID_ANY, wxEmptyString);
    StartAddr_textCtrl->SetMinSize(wxSize(FromDIP(40), -1));
    add_labelled(this, read_row, 0, 5, StartAddr_staticText, wxALIGN_CENTER, StartAddr_textCtrl);
    ReadTag_button = new wxButton(this, wxID_ANY, u8("读标签"));
    read_row->Add(ReadTag_button, 0, kCentreLeft, FromDIP(10));

    wxBoxSizer* write_row = new wxBoxSizer(wxHORIZONTAL);
    rw_box->Add(write_row, 1, wxEXPAND, b5);
    WriteMethod_radioBox = new wxRadioBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                          utf8_items({"标签信息区", "编码区", "安全区", "用户区"}), 1,
                                          wxRA_SPECIFY_ROWS);
    WriteMethod_radioBox->SetSelection(1);
    WriteMethod_radioBox->Disable();
    write_row->Add(WriteMethod_radioBox, 1, wxALIGN_CENTER, b5);
    WriteTag_staticText = new wxStaticText(this, wxID_ANY, u8("写入数据(HEX):"));
    WriteTag_textCtrl = new wxTextCtrl(this, wxID_ANY, wxEmptyString);
    add_labelled(this, write_row, 0, 5, WriteTag_staticText, wxALIGN_CENTER, WriteTag_textCtrl);
    DataLenght_staticText = new wxStaticText(this, wxID_ANY, u8("数据长度(DEC):"));
    DataLenght_textCtrl = new wxTextCtrl(this, wxID_ANY, wxEmptyString);
    DataLenght_textCtrl->SetMinSize(wxSize(FromDIP(40), -1));
    add_labelled(this, write_row, 0, 5, DataLenght_staticText, wxALIGN_CENTER, DataLenght_textCtrl);
    WriteTag_button = new wxButton(this, wxID_ANY, u8("写入标签"));
    write_row->Add(WriteTag_button, 0, kCentreLeft, FromDIP(10));

    // Row 3: lock and kill.
    wxBoxSizer* lock_row = new wxBoxSizer(wxHORIZONTAL);
    page_sizer->Add(lock_row, 0, wxEXPAND, b5);

    wxStaticBoxSizer* lock_box = new wxStaticBoxSizer(wxHORIZONTAL, this, u8("锁定标签"));
    lock_row->Add(lock_box, 1, wxEXPAND | wxALL, b5);
    LockArea_choice = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                   utf8_items({"USER区", "TID区", "EPC区", "访问密码区", "销毁密码区"}));
    LockArea_choice->SetSelection(0);
    lock_box->Add(LockArea_choice, 0, kCentreLeft, b5);
    LockMethod_choice = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                     utf8_items({"开放", "锁定", "永久开放", "永久锁定", "R6永久锁定"}));
    LockMethod_choice->SetSelection(0);
    lock_box->Add(LockMethod_choice, 0, kCentreLeft, b5);
    LockPassWord_staticText = new wxStaticText(this, wxID_ANY, u8("访问密码(HEX):"));
    LockPassWord_textCtrl = new wxTextCtrl(this, wxID_ANY, wxEmptyString);
    add_labelled(this, lock_box, 1, 5, LockPassWord_staticText, kCentreLeft, LockPassWord_textCtrl);
    LockTag_button = new wxButton(this, wxID_ANY, u8("锁定标签"));
    lock_box->Add(LockTag_button, 0, kCentreLeft, b5);

    wxStaticBoxSizer* kill_box = new wxStaticBoxSizer(wxHORIZONTAL, this, u8("销毁标签"));
    lock_row->Add(kill_box, 1, wxEXPAND | wxALL, b5);
    DistroyPassWord_staticText = new wxStaticText(this, wxID_ANY, u8("销毁密码(HEX):"));
    DistroyPassWord_textCtrl = new wxTextCtrl(this, wxID_ANY, wxEmptyString);
    add_labelled(this, kill_box, 2, 10, DistroyPassWord_staticText, kCentreLeft, DistroyPassWord_textCtrl);
    DistroyTag_button = new wxButton(this, wxID_ANY, u8("销毁标签"));
    kill_box->Add(DistroyTag_button, 1, kCentreLeft, FromDIP(10));

    m_listCtrl11 = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT);
    reset_list_columns(m_listCtrl11, {{"ID", wxLIST_AUTOSIZE},
                                      {"CRC", wxLIST_AUTOSIZE},
                                      {"EPC", 300},
                                      {"数据", 300},
                                      {"数据长度", 80},
                                      {"天线", 80}});
    page_sizer->Add(m_listCtrl11, 1, wxEXPAND | wxALL, b5);

    finish_page(this, wxT("rfid_storage_pannelBase"));

    bind_page(this, connections(), true);
}

rfid_storage_pannelBase::~rfid_storage_pannelBase()
{
    bind_page(this, connections(), false);
}

std::vector<PageConnection<rfid_storage_pannelBase>> rfid_storage_pannelBase::connections()
{
    using P = rfid_storage_pannelBase;
    return {
        {TagOperate_radioBox, wxEVT_RADIOBOX, &P::SelectTagOperate},
        {TagList_choice, wxEVT_CHOICE, &P::tag_select},
        {Select_button, wxEVT_BUTTON, &P::SelectTag},
        {key_textCtrl, wxEVT_TEXT, &P::key_inter},
        {doubleidentify_button, wxEVT_BUTTON, &P::doubleidentify},
        {encryption_checkBox, wxEVT_CHECKBOX, &P::encryption},
        {ModeSelect_radioBox, wxEVT_RADIOBOX, &P::ModeSelect},
        {ReadPassWord_textCtrl, wxEVT_TEXT, &P::ReadPassWordEnter},
        {StartAddr_textCtrl, wxEVT_TEXT, &P::StartAddrEnter},
        {ReadTag_button, wxEVT_BUTTON, &P::ReadTag},
        {WriteMethod_radioBox, wxEVT_RADIOBOX, &P::Select_writeMethod},
        {WriteTag_textCtrl, wxEVT_TEXT, &P::WriteTagEnter},
        {DataLenght_textCtrl, wxEVT_TEXT, &P::DataLenghtEnter},
        {WriteTag_button, wxEVT_BUTTON, &P::WriteTag},
        {LockPassWord_textCtrl, wxEVT_TEXT, &P::LockPassWordEnter},
        {LockTag_button, wxEVT_BUTTON, &P::LcokTag},
        {DistroyPassWord_textCtrl, wxEVT_TEXT, &P::DistroyPassWordEnter},
        {DistroyTag_button, wxEVT_BUTTON, &P::DistroyTag},
    };
}
