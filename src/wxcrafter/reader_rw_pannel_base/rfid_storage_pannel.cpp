#include "wxcrafter/reader_rw_pannel_base/rfid_storage_pannel.h"

#include "wxcrafter/page_support/inventory_stats.h"

uint8_t OperateArea = 0;
uint32_t OperateStartAddr = 0;
uint16_t DataLenght = 0;
uint32_t OperatePassWord = 0;
uint32_t LockPassWord = 0;
uint32_t DistroyPassWord = 0;
char WriteData[50] = {0};
uint8_t WriteMethod = 0;
uint8_t LockArea = 0;
uint8_t LockSelect = 0;
char EPC_Select[32] = {0};
char DoubleIdentify_Key[16] = {0};

rfid_storage_pannel::rfid_storage_pannel(wxWindow* parent)
    : rfid_storage_pannelBase(parent, wxID_ANY, wxDefaultPosition, wxSize(500, 300), wxTAB_TRAVERSAL),
      IdNumber(0)
{
}

rfid_storage_pannel::~rfid_storage_pannel() {}

void rfid_storage_pannel::Flash_Taglist()
{
    TagList_choice->Clear();
    SelectedTag_textCtrl->Clear();
}

void rfid_storage_pannel::ClearTagList()
{
    reset_list_columns(m_listCtrl11, {{"ID", wxLIST_AUTOSIZE},
                                      {"PC", 80},
                                      {"CRC", wxLIST_AUTOSIZE},
                                      {"EPC", 300},
                                      {"数据", 300},
                                      {"数据长度", 80},
                                      {"天线", 80}});
    IdNumber = 0;
}

void rfid_storage_pannel::AddTagList(wxString epc)
{
    if (!epc.empty())
        TagList_choice->Insert(epc, 0);
}

void rfid_storage_pannel::SetReadTable(uint8_t*) {}
void rfid_storage_pannel::SetWriteTable(uint8_t*) {}
void rfid_storage_pannel::SetLockTable(uint8_t*) {}
void rfid_storage_pannel::SetKillTable(uint8_t*) {}
void rfid_storage_pannel::SetGbReadTable(uint8_t*) {}
void rfid_storage_pannel::SetGbWriteTable(uint8_t*) {}
void rfid_storage_pannel::SetGbLockTable(uint8_t*) {}
void rfid_storage_pannel::SetGbKillTable(uint8_t*) {}
void rfid_storage_pannel::SetDoubleIdentifyTable(uint8_t*) {}
