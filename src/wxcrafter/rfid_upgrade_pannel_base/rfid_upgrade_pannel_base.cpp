#include "wxcrafter/rfid_upgrade_pannel_base/rfid_upgrade_pannel_base.h"

#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/statbox.h>

static bool bBitmapLoaded = false;

rfid_upgradebase::rfid_upgradebase(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                   long style)
    : wxPanel(parent, id, pos, size, style)
{
    init_page_bitmaps(bBitmapLoaded);

    wxBoxSizer* main_sizer = new wxBoxSizer(wxHORIZONTAL);
    SetSizer(main_sizer);
    wxStaticBoxSizer* outer = new wxStaticBoxSizer(wxVERTICAL, this, wxEmptyString);
    main_sizer->Add(outer, 1, wxALL | wxEXPAND, 2);

    // The line keeps its own height: stretched, GTK paints it as a block.
    wxBoxSizer* line_row = new wxBoxSizer(wxVERTICAL);
    outer->Add(line_row, 0, wxALL | wxEXPAND, 5);
    m_staticLine57 = new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL);
    line_row->Add(m_staticLine57, 0, wxALL | wxEXPAND, 5);

    wxBoxSizer* upgrade_row = new wxBoxSizer(wxHORIZONTAL);
    outer->Add(upgrade_row, 0, wxALL | wxEXPAND, 5);
    wxArrayString targets;
    targets.Add(_("3140"));
    targets.Add(_("3740"));
    chooseupobject = new wxRadioBox(this, wxID_ANY, _("object"), wxDefaultPosition, wxDefaultSize, targets, 1,
                                    wxRA_SPECIFY_ROWS);
    chooseupobject->SetSelection(0);
    upgrade_row->Add(chooseupobject, 0, wxALL | wxALIGN_CENTER_VERTICAL, 10);

    wxStaticBoxSizer* firmware_box = new wxStaticBoxSizer(wxVERTICAL, this, _("firmware"));
    upgrade_row->Add(firmware_box, 1, wxALL | wxEXPAND, 50);
    wxBoxSizer* file_row = new wxBoxSizer(wxHORIZONTAL);
    firmware_box->Add(file_row, 1, wxALL | wxEXPAND, 5);
    // The text field takes a typed path as well as the browsed one.
    choosebinfile = new wxFilePickerCtrl(this, wxID_ANY, wxEmptyString, _("Select a file"), wxT("*.bin"),
                                         wxDefaultPosition, wxDefaultSize,
                                         wxFLP_OPEN | wxFLP_FILE_MUST_EXIST | wxFLP_USE_TEXTCTRL | wxFLP_SMALL);
    file_row->Add(choosebinfile, 1, wxEXPAND, 0);
    buttonupgrade = new wxButton(this, wxID_ANY, _("start"));
    file_row->Add(buttonupgrade, 0, wxLEFT | wxRIGHT | wxEXPAND, 5);
    wxBoxSizer* gauge_row = new wxBoxSizer(wxVERTICAL);
    firmware_box->Add(gauge_row, 0, wxALL | wxEXPAND, 5);
    m_gauge23 = new wxGauge(this, wxID_ANY, 100, wxDefaultPosition, wxDefaultSize, wxGA_HORIZONTAL);
    m_gauge23->SetValue(0);
    gauge_row->Add(m_gauge23, 1, wxALL | wxEXPAND, 5);

    wxBoxSizer* parameter_row = new wxBoxSizer(wxHORIZONTAL);
    outer->Add(parameter_row, 0, wxTOP | wxEXPAND, 5);
    buttonreset = new wxButton(this, wxID_ANY, _("restore factory settings"));
    parameter_row->Add(buttonreset, 0, wxRIGHT, 5);
    saveflash_button = new wxButton(this, wxID_ANY, _("save parameter"));
    parameter_row->Add(saveflash_button, 0, wxLEFT | wxRIGHT, 5);

    finish_page(this, wxT("rfid_upgradebase"));

    bind_page(this, connections(), true);
    connect_picker(true);
}

rfid_upgradebase::~rfid_upgradebase()
{
    bind_page(this, connections(), false);
    connect_picker(false);
}

std::vector<PageConnection<rfid_upgradebase>> rfid_upgradebase::connections()
{
    using P = rfid_upgradebase;
    return {
        {chooseupobject, wxEVT_RADIOBOX, &P::UpgradeObject},
        {buttonupgrade, wxEVT_BUTTON, &P::StartUpgrade},
        {buttonreset, wxEVT_BUTTON, &P::SendResetCMD},
        {saveflash_button, wxEVT_BUTTON, &P::SaveParameter},
    };
}

void rfid_upgradebase::connect_picker(bool on)
{
    if (on)
        choosebinfile->Bind(wxEVT_FILEPICKER_CHANGED, &rfid_upgradebase::choosefile, this);
    else
        choosebinfile->Unbind(wxEVT_FILEPICKER_CHANGED, &rfid_upgradebase::choosefile, this);
}
