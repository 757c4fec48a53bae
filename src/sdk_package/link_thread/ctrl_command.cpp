// The link threads' command side: which request goes out first, with which
// parameters, and the firmware-upgrade packets.
#include "sdk_package/link_thread/LinkThread.h"

#include "link_carriage.h"
#include "rfid_event/rfid_command_event.h"
#include "sdk_package/frame_link.h"
#include "sdk_package/link_thread/link_requests.h"
#include "reader_params.h"

#include <wx/ffile.h>
#include <wx/log.h>

#include <algorithm>
#include <string>

using link_requests::bytes;
using link_requests::not_carried;

// Builds the shared table; a friend, for the upgrade rows.
struct SharedRequests {
    static RequestTable make()
    {
        using L = LinkThread;
        // A not_carried row here stands for a request that only the links
        // with a row of their own for it carry.
        return {
            // The serial link alone changes the reader's baud rate.
            not_carried("SetBound", &L::SetBoundFlag),
            {"RestartReader", &L::RestartReaderFlag, 1, 0, [](L& t) { t.frames().Restart_Reader(); return true; }},
            {"SetReaderAddr", &L::SetReaderAddrFlag, 1, 0,
             [](L& t) { t.frames().Set_RS485_Addr(RS485Address); return true; }},
            {"ReadFrameWare", &L::ReadFrameWareFlag, 1, 0,
             [](L& t) { t.frames().Read_Frameware_version(); return true; }},
            {"ReadWorkTemp", &L::ReadWorkTempFlag, 1, 0, [](L& t) { t.frames().Read_Work_Temp(); return true; }},
            {"ReadGPIO1", &L::ReadGPIO1Flag, 1, 0, [](L& t) { t.frames().Read_Gpio_Value(0); return true; }},
            {"WriteGPIO1", &L::WriteGPIO1Flag, 1, 0,
             [](L& t) { t.frames().Set_Gpio_Value(3, GetGpio1Value == 0 ? 1 : 0); return true; }},
            {"ReadGPIO2", &L::ReadGPIO2Flag, 1, 0, [](L& t) { t.frames().Read_Gpio_Value(1); return true; }},
            {"WriteGPIO2", &L::WriteGPIO2Flag, 1, 0,
             [](L& t) { t.frames().Set_Gpio_Value(4, GetGpio2Value == 0 ? 1 : 0); return true; }},
            {"SetBeep", &L::SetBeepFlag, 1, 0, [](L& t) { t.frames().Set_Beep_status(GetBeepStatus); return true; }},
            {"ReadWorkAnt", &L::ReadWorkAntFlag, 1, 0, [](L& t) { t.frames().Get_Work_Ant(); return true; }},
            {"SetWorkAnt", &L::SetWorkAntFlag, 1, 0, [](L& t) { t.frames().Set_Work_Ant(WorkAnt); return true; }},
            {"ReadFastEpc", &L::ReadFastEpcReadFlag, 1, 0, [](L& t) { t.frames().Get_Fast_Epc(); return true; }},
            {"SetFastEpc", &L::SetFastEpcReadFlag, 1, 0, [](L& t) { t.frames().Set_Fast_Epc(FastEpc); return true; }},
            {"ReadAntPower", &L::ReadAntPowerFlag, 1, 0, [](L& t) { t.frames().Get_Ant_Power(); return true; }},
            // One power for every antenna; the serial link can set four or eight.
            {"SetAntPower", &L::SetAntPowerFlag, 1, 0,
             [](L& t) {
                 if (!carriage::same_powers(AntPower))
                     return false;
                 t.frames().Set_Ant_power(AntPower[0]);
                 return true;
             }},
            {"ReadFreq", &L::ReadFreqFlag, 1, 0, [](L& t) { t.frames().Get_Frequence(); return true; }},
            {"SetFreq", &L::SetFreqFlag, 1, 0,
             [](L& t) {
                 if (FreqStandard != 4)
                     t.frames().Set_Frequece_Standard(FreqStandard, StartFreqStandard, EndFreqStandard);
                 else
                     t.frames().Set_Frequece(static_cast<uint32_t>(StartFreq), static_cast<uint16_t>(FreqSpace),
                                             FreqQuantity);
                 return true;
             }},
            {"ReadProfilID", &L::ReadProfilIDFlag, 1, 0, [](L& t) { t.frames().Get_RF_Link(); return true; }},
            {"SetProfilID", &L::SetProfilIDFlag, 1, 0, [](L& t) { t.frames().Set_RF_Link(RfProfileID); return true; }},
            {"StartInventory", &L::StartInventoryFlag, 1, 2,
             [](L& t) {
                 if (SelectInventoryMode != 0)
                     t.frames().Custom_Session_Inventory(SessionID, InventoryFlag, WorkAntenna);
                 else
                     t.frames().RealTime_Inventory(WorkAntenna);
                 return true;
             }},
            {"StopInventory", &L::StartInventoryFlag, 3, 0, stop},
            {"StartCustomInventory", &L::StartcustominventoryFlag, 1, 2,
             [](L& t) {
                 t.frames().Custom_Inventory(WorkAntenna, inventory_round, inventory_mode, custom_read_len);
                 return true;
             }},
            {"StopCustomInventory", &L::StartcustominventoryFlag, 3, 0, stop},
            not_carried("StartSwitchAntInventory", &L::StartSwitchAntInventoryFlag),
            {"StopSwitchAntInventory", &L::StartSwitchAntInventoryFlag, 3, 0, stop},
            {"StartBuffInventory", &L::StartBuffInventoryFlag, 1, 2,
             [](L& t) { t.frames().Start_Buff_Inventory(BuffInventoryWorkAntenna); return true; }},
            {"StopBuffInventory", &L::StartBuffInventoryFlag, 3, 0, stop},
            {"ClearBuff", &L::ClearBuffFlag, 1, 0, [](L& t) { t.frames().Clear_Tag_Buff(); return true; }},
            {"ReadBuff", &L::ReadBuffFlag, 1, 0, [](L& t) { t.frames().Get_Tag_Buff(); return true; }},
            {"ReadBuffAndClear", &L::ReadBuffAndClearFlag, 1, 0, [](L& t) { t.frames().Get_and_Clear_Buff(); return true; }},
            {"ReadTagNumber", &L::ReadTagNumberFlag, 1, 0, [](L& t) { t.frames().Get_Tag_Num(); return true; }},
            {"SetEpcMatch", &L::SelectTagFlag, 1, 0,
             [](L& t) { t.frames().Set_Epc_Match(0, bytes(EPC_Select), sizeof EPC_Select); return true; }},
            {"GetEpcMatch", &L::SelectTagFlag, 3, 0, [](L& t) { t.frames().Get_Epc_Match(); return true; }},
            {"CancelEpcMatch", &L::SelectTagFlag, 2, 0,
             [](L& t) { t.frames().Set_Epc_Match(1, bytes(EPC_Select), sizeof EPC_Select); return true; }},
            {"ReadTag", &L::ReadTagFlag, 1, 0,
             [](L& t) { t.frames().RFID_Read(OperateArea, OperateStartAddr, DataLenght, OperatePassWord); return true; }},
            not_carried("WriteTag", &L::WriteTagFlag),
            {"LockTag", &L::LockTagFlag, 1, 0,
             [](L& t) { t.frames().RFID_Lock(LockArea, LockSelect, LockPassWord); return true; }},
            {"KillTag", &L::DistroyTagFlag, 1, 0, [](L& t) { t.frames().RFID_Kill(DistroyPassWord); return true; }},
            {"GbReadTag", &L::GbReadTagFlag, 1, 0,
             [](L& t) {
                 t.frames().RFID_GbRead(OperateArea, static_cast<uint16_t>(OperateStartAddr), DataLenght,
                                        OperatePassWord);
                 return true;
             }},
            {"GbWriteTag", &L::GbWriteTagFlag, 1, 0,
             [](L& t) {
                 t.frames().RFID_GbWrite(OperateArea, static_cast<uint16_t>(OperateStartAddr), DataLenght,
                                         bytes(WriteData), sizeof WriteData, OperatePassWord);
                 return true;
             }},
            {"GbLockTag", &L::GbLockTagFlag, 1, 0,
             [](L& t) { t.frames().RFID_GbLock(LockArea, LockSelect, LockPassWord); return true; }},
            {"GbKillTag", &L::GbDistroyTagFlag, 1, 0, [](L& t) { t.frames().RFID_GbKill(DistroyPassWord); return true; }},
            not_carried("GbSecureReadTag", &L::GbSeReadTagFlag),
            not_carried("GbSecureWriteTag", &L::GbSeWriteTagFlag),
            // The reader has no command for these.
            not_carried("GbSecureLockTag", &L::GbSeLockTagFlag),
            not_carried("GbSecureKillTag", &L::GbSeDistroyTagFlag),
            {"GbDoubleIdentify", &L::GbDoubleIdTagFlag, 1, 0,
             [](L& t) { t.frames().RFID_GbDoubleIdentify(bytes(DoubleIdentify_Key)); return true; }},
            {"SendData", &L::SendDataFlag, 1, 0,
             [](L& t) {
                 const int count = std::clamp(sendlenght, 0, static_cast<int>(sizeof UartData));
                 t.frames().Uart_Moniter_Send(UartData, sizeof UartData, static_cast<uint8_t>(count));
                 return true;
             }},
            {"ResetPara", &L::ReaderParaResetFlag, 1, 0, [](L& t) { t.frames().Reset_Para(); return true; }},
            not_carried("SavePara", &L::SaveParaFlag),
            // The packet whose acknowledgement timed out goes once more before
            // any other: the next one would leave a gap in the reader's image.
            {"ResendUpgradePacket", nullptr, 0, 0, resend_upgrade,
             [](const L& t) { return t.upgrade_resend_; }},
            {"ReaderAppUpgrade", &L::ReaderAppUpgradeFlag, 1, 1,
             [](L& t) { return t.serve_upgrade(t.ReaderAppUpgradeFlag, false); },
             [](const L&) { return UpObject == 0; }},
            {"BasebandFirmwareUpgrade", &L::BasebandFirmwareUpgradeFlag, 1, 1,
             [](L& t) { return t.serve_upgrade(t.BasebandFirmwareUpgradeFlag, true); },
             [](const L&) { return UpObject == 1; }},
        };
    }

    static bool stop(LinkThread& t)
    {
        t.frames().Stop_Inventory();
        return true;
    }

    static bool resend_upgrade(LinkThread& t)
    {
        t.upgrade_resend_ = false;
        if (t.last_packet_valid_)
            t.send_upgrade_packet(t.last_packet_baseband_, t.last_packet_number_, t.last_packet_final_,
                                  t.last_packet_.data(), static_cast<uint16_t>(t.last_packet_.size()));
        return true;
    }
};

const RequestTable& LinkThread::shared_requests()
{
    static const RequestTable table = SharedRequests::make();
    return table;
}

RequestTable LinkThread::with_rows(const RequestTable& base, const RequestTable& own)
{
    RequestTable table;
    for (const RequestRow& row : base) {
        auto it = std::find_if(own.begin(), own.end(),
                               [&](const RequestRow& o) { return std::string(o.name) == row.name; });
        table.push_back(it == own.end() ? row : *it);
    }
    return table;
}

void LinkThread::ctrl_command(rfidConfigEvent& event)
{
    for (const RequestRow& row : requests()) {
        if (row.applies && !row.applies(*this))
            continue;
        if (row.flag) {
            Flag& flag = this->*row.flag;
            if (flag != row.take)
                continue;
            flag = row.leave;
        }
        if (!row.send(*this) || frame_refused())
            return;
        break;
    }
    frames().GetTxData(TxData);
    post_int(sent_notice_, sent_code_);
    event.Skip();
}

// ------------------------------------------------------ firmware upgrade

void LinkThread::send_upgrade_packet(bool baseband, uint32_t number, uint8_t last,
                                     const uint8_t* data, uint16_t size)
{
    if (baseband)
        frames().Baseband_Firmware_Upgrade(number, last, data, size);
    else
        frames().Reader_App_Upgrade(number, last, data, size);
    last_packet_valid_ = true;
    last_packet_baseband_ = baseband;
    last_packet_number_ = number;
    last_packet_final_ = last;
    last_packet_.assign(data, data + size);
}

void LinkThread::reset_upgrade()
{
    filebuf.clear();
    filebuf.shrink_to_fit();
    upgrade_count = 0;
    file_index = 0;
    file_length = 0;
}

void LinkThread::abort_upgrade()
{
    ReaderAppUpgradeFlag = 0;
    BasebandFirmwareUpgradeFlag = 0;
    upgrade_resend_ = false;
    last_packet_valid_ = false;
    last_packet_.clear();
    reset_upgrade();
}

bool LinkThread::serve_upgrade(Flag& flag, bool baseband)
{
    if (upgrade_count == 0) {
        file_length = 0;
        file_index = 0;
        last_packet_valid_ = false;
        wxFFile image;
        {
            wxLogNull quiet;  // an unreadable image ends the upgrade silently
            if (!image.Open(wxString::FromUTF8(Bin_Path.c_str()), "rb")) {
                flag = 0;
                return false;
            }
        }
        const wxFileOffset size = image.Length();
        file_length = size > 0 ? static_cast<uint32_t>(size) : 0;
        filebuf.resize(file_length);
        if (file_length > 0 && image.Read(filebuf.data(), file_length) != file_length) {
            reset_upgrade();
            flag = 0;
            return false;
        }
    }
    if (file_length <= file_index) {
        // An empty image, or nothing left.
        reset_upgrade();
        flag = 0;
        return true;
    }
    const uint32_t size = std::min(file_length - file_index, upgrade_packet_size());
    const uint8_t last = file_index + size >= file_length ? 1 : 0;
    send_upgrade_packet(baseband, upgrade_count, last, filebuf.data() + file_index,
                        static_cast<uint16_t>(size));
    file_index += size;
    ++upgrade_count;
    if (file_index != 0 && file_length != 0)
        Gaugeupgrade_Postion =
            static_cast<int>(static_cast<uint64_t>(file_index) * 100 / file_length);
    if (last || !upgraed_flag) {
        reset_upgrade();
        flag = 0;
    }
    return true;
}
