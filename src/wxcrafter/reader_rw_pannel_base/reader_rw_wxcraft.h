// The tag-storage page's controls and layout. Every control event goes to a
// virtual handler that only lets the event go on; rfid_storage_pannel gives
// them their behaviour.
#pragma once

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/panel.h>
#include <wx/radiobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <vector>

#include "wxcrafter/page_support/page_support.h"
#include "wxcrafter/reader_rw_pannel_base/tag_choice.h"

class rfid_storage_pannelBase : public wxPanel {
public:
    rfid_storage_pannelBase(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                            const wxSize& size = wxSize(500, 300), long style = wxTAB_TRAVERSAL);
    virtual ~rfid_storage_pannelBase();

    wxRadioBox* GetTagOperate_radioBox() { return TagOperate_radioBox; }
    wxStaticText* GetSelectedTag_staticText() { return SelectedTag_staticText; }
    wxTextCtrl* GetSelectedTag_textCtrl() { return SelectedTag_textCtrl; }
    wxStaticText* GetTagList_staticText() { return TagList_staticText; }
    tag_choice* GetTagList_choice() { return TagList_choice; }
    wxButton* GetSelect_button() { return Select_button; }
    wxStaticText* GetKey_staticText() { return key_staticText; }
    wxTextCtrl* GetKey_textCtrl() { return key_textCtrl; }
    wxButton* GetDoubleidentify_button() { return doubleidentify_button; }
    wxCheckBox* GetEncryption_checkBox() { return encryption_checkBox; }
    wxRadioBox* GetModeSelect_radioBox() { return ModeSelect_radioBox; }
    wxRadioBox* GetTagReadArea_radioBox() { return TagReadArea_radioBox; }
    wxStaticText* GetReadPassWord_staticText() { return ReadPassWord_staticText; }
    wxTextCtrl* GetReadPassWord_textCtrl() { return ReadPassWord_textCtrl; }
    wxStaticText* GetStartAddr_staticText() { return StartAddr_staticText; }
    wxTextCtrl* GetStartAddr_textCtrl() { return StartAddr_textCtrl; }
    wxButton* GetReadTag_button() { return ReadTag_button; }
    wxRadioBox* GetWriteMethod_radioBox() { return WriteMethod_radioBox; }
    wxStaticText* GetWriteTag_staticText() { return WriteTag_staticText; }
    wxTextCtrl* GetWriteTag_textCtrl() { return WriteTag_textCtrl; }
    wxStaticText* GetDataLenght_staticText() { return DataLenght_staticText; }
    wxTextCtrl* GetDataLenght_textCtrl() { return DataLenght_textCtrl; }
    wxButton* GetWriteTag_button() { return WriteTag_button; }
    wxChoice* GetLockArea_choice() { return LockArea_choice; }
    wxChoice* GetLockMethod_choice() { return LockMethod_choice; }
    wxStaticText* GetLockPassWord_staticText() { return LockPassWord_staticText; }
    wxTextCtrl* GetLockPassWord_textCtrl() { return LockPassWord_textCtrl; }
    wxButton* GetLockTag_button() { return LockTag_button; }
    wxStaticText* GetDistroyPassWord_staticText() { return DistroyPassWord_staticText; }
    wxTextCtrl* GetDistroyPassWord_textCtrl() { return DistroyPassWord_textCtrl; }
    wxButton* GetDistroyTag_button() { return DistroyTag_button; }
    wxListCtrl* GetListCtrl11() { return m_listCtrl11; }

protected:
    virtual void SelectTagOperate(wxCommandEvent& event) { event.Skip(); }
    virtual void tag_select(wxCommandEvent& event) { event.Skip(); }
    virtual void SelectTag(wxCommandEvent& event) { event.Skip(); }
    virtual void key_inter(wxCommandEvent& event) { event.Skip(); }
    virtual void doubleidentify(wxCommandEvent& event) { event.Skip(); }
    virtual void encryption(wxCommandEvent& event) { event.Skip(); }
    virtual void ModeSelect(wxCommandEvent& event) { event.Skip(); }
    virtual void ReadPassWordEnter(wxCommandEvent& event) { event.Skip(); }
    virtual void StartAddrEnter(wxCommandEvent& event) { event.Skip(); }
    virtual void ReadTag(wxCommandEvent& event) { event.Skip(); }
    virtual void Select_writeMethod(wxCommandEvent& event) { event.Skip(); }
    virtual void WriteTagEnter(wxCommandEvent& event) { event.Skip(); }
    virtual void DataLenghtEnter(wxCommandEvent& event) { event.Skip(); }
    virtual void WriteTag(wxCommandEvent& event) { event.Skip(); }
    virtual void LockPassWordEnter(wxCommandEvent& event) { event.Skip(); }
    virtual void LcokTag(wxCommandEvent& event) { event.Skip(); }
    virtual void DistroyPassWordEnter(wxCommandEvent& event) { event.Skip(); }
    virtual void DistroyTag(wxCommandEvent& event) { event.Skip(); }

    wxRadioBox* TagOperate_radioBox;
    wxStaticText* SelectedTag_staticText;
    wxTextCtrl* SelectedTag_textCtrl;
    wxStaticText* TagList_staticText;
    tag_choice* TagList_choice;
    wxButton* Select_button;
    wxStaticText* key_staticText;
    wxTextCtrl* key_textCtrl;
    wxButton* doubleidentify_button;
    wxCheckBox* encryption_checkBox;
    wxRadioBox* ModeSelect_radioBox;
    wxRadioBox* TagReadArea_radioBox;
    wxStaticText* ReadPassWord_staticText;
    wxTextCtrl* ReadPassWord_textCtrl;
    wxStaticText* StartAddr_staticText;
    wxTextCtrl* StartAddr_textCtrl;
    wxButton* ReadTag_button;
    wxRadioBox* WriteMethod_radioBox;
    wxStaticText* WriteTag_staticText;
    wxTextCtrl* WriteTag_textCtrl;
    wxStaticText* DataLenght_staticText;
    wxTextCtrl* DataLenght_textCtrl;
    wxButton* WriteTag_button;
    wxChoice* LockArea_choice;
    wxChoice* LockMethod_choice;
    wxStaticText* LockPassWord_staticText;
    wxTextCtrl* LockPassWord_textCtrl;
    wxButton* LockTag_button;
    wxStaticText* DistroyPassWord_staticText;
    wxTextCtrl* DistroyPassWord_textCtrl;
    wxButton* DistroyTag_button;
    wxListCtrl* m_listCtrl11;

private:
    // The 18 connections, in the order they are made and undone.
    std::vector<PageConnection<rfid_storage_pannelBase>> connections();
};
