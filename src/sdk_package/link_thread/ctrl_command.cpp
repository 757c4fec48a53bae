// The link threads' command side: which request goes out first, with which
// parameters, and the firmware-upgrade packets.
#include "sdk_package/link_thread/LinkThread.h"

#include "rfid_event/rfid_command_event.h"
#include "sdk_package/frame_link.h"
#include "reader_params.h"

#include <wx/ffile.h>
#include <wx/log.h>

#include <algorithm>

void LinkThread::send_output_power()
{
    frames().Set_Ant_power(AntPower[0]);
}

void LinkThread::send_switch_ant_inventory()
{
    // Only the serial and TCP drivers frame it; a link without it sends
    // nothing.
}

void LinkThread::ctrl_command(rfidConfigEvent& event)
{
    FrameLink& f = frames();
    // Serves `flag` when it holds `value`, leaving `after` in it.
    auto take = [](Flag& flag, uint8_t value, uint8_t after) {
        if (flag != value)
            return false;
        flag = after;
        return true;
    };

    if (take(SetBoundFlag, 1, 0)) {
        send_baud_rate();
    } else if (take(RestartReaderFlag, 1, 0)) {
        f.Restart_Reader();
    } else if (take(SetReaderAddrFlag, 1, 0)) {
        f.Set_RS485_Addr(RS485Address);
    } else if (take(ReadFrameWareFlag, 1, 0)) {
        f.Read_Frameware_version();
    } else if (take(ReadWorkTempFlag, 1, 0)) {
        f.Read_Work_Temp();
    } else if (take(ReadGPIO1Flag, 1, 0)) {
        f.Read_Gpio_Value(0);
    } else if (take(WriteGPIO1Flag, 1, 0)) {
        f.Set_Gpio_Value(3, GetGpio1Value == 0 ? 1 : 0);
    } else if (take(ReadGPIO2Flag, 1, 0)) {
        f.Read_Gpio_Value(1);
    } else if (take(WriteGPIO2Flag, 1, 0)) {
        f.Set_Gpio_Value(4, GetGpio2Value == 0 ? 1 : 0);
    } else if (take(SetBeepFlag, 1, 0)) {
        f.Set_Beep_status(GetBeepStatus);
    } else if (take(ReadWorkAntFlag, 1, 0)) {
        f.Get_Work_Ant();
    } else if (take(SetWorkAntFlag, 1, 0)) {
        f.Set_Work_Ant(WorkAnt);
    } else if (take(ReadFastEpcReadFlag, 1, 0)) {
        f.Get_Fast_Epc();
    } else if (take(SetFastEpcReadFlag, 1, 0)) {
        f.Set_Fast_Epc(FastEpc);
    } else if (take(ReadAntPowerFlag, 1, 0)) {
        f.Get_Ant_Power();
    } else if (take(SetAntPowerFlag, 1, 0)) {
        send_output_power();
    } else if (take(ReadFreqFlag, 1, 0)) {
        f.Get_Frequence();
    } else if (take(SetFreqFlag, 1, 0)) {
        if (FreqStandard != 4)
            f.Set_Frequece_Standard(FreqStandard, StartFreqStandard, EndFreqStandard);
        else
            f.Set_Frequece(static_cast<uint32_t>(StartFreq), static_cast<uint16_t>(FreqSpace),
                           FreqQuantity);
    } else if (take(ReadProfilIDFlag, 1, 0)) {
        f.Get_RF_Link();
    } else if (take(SetProfilIDFlag, 1, 0)) {
        f.Set_RF_Link(RfProfileID);
    } else if (take(StartInventoryFlag, 1, 2)) {
        if (SelectInventoryMode != 0)
            f.Custom_Session_Inventory(SessionID, InventoryFlag, WorkAntenna);
        else
            f.RealTime_Inventory(WorkAntenna);
    } else if (take(StartInventoryFlag, 3, 0)) {
        f.Stop_Inventory();
    } else if (take(StartcustominventoryFlag, 1, 2)) {
        f.Custom_Inventory(WorkAntenna, inventory_round, inventory_mode, custom_read_len);
    } else if (take(StartcustominventoryFlag, 3, 0)) {
        f.Stop_Inventory();
    } else if (take(StartSwitchAntInventoryFlag, 1, 2)) {
        send_switch_ant_inventory();
    } else if (take(StartSwitchAntInventoryFlag, 3, 0)) {
        f.Stop_Inventory();
    } else if (take(StartBuffInventoryFlag, 1, 2)) {
        f.Start_Buff_Inventory(BuffInventoryWorkAntenna);
    } else if (take(StartBuffInventoryFlag, 3, 0)) {
        f.Stop_Inventory();
    } else if (take(ClearBuffFlag, 1, 0)) {
        f.Clear_Tag_Buff();
    } else if (take(ReadBuffFlag, 1, 0)) {
        f.Get_Tag_Buff();
    } else if (take(ReadBuffAndClearFlag, 1, 0)) {
        f.Get_and_Clear_Buff();
    } else if (take(ReadTagNumberFlag, 1, 0)) {
        f.Get_Tag_Num();
    } else if (take(SelectTagFlag, 1, 0)) {
        f.Set_Epc_Match(0, bytes(EPC_Select), sizeof EPC_Select);
    } else if (take(SelectTagFlag, 3, 0)) {
        f.Get_Epc_Match();
    } else if (take(SelectTagFlag, 2, 0)) {
        f.Set_Epc_Match(1, bytes(EPC_Select), sizeof EPC_Select);
    } else if (take(ReadTagFlag, 1, 0)) {
        f.RFID_Read(OperateArea, OperateStartAddr, DataLenght, OperatePassWord);
    } else if (take(WriteTagFlag, 1, 0)) {
        send_tag_write();
    } else if (take(LockTagFlag, 1, 0)) {
        f.RFID_Lock(LockArea, LockSelect, LockPassWord);
    } else if (take(DistroyTagFlag, 1, 0)) {
        f.RFID_Kill(DistroyPassWord);
    } else if (take(GbReadTagFlag, 1, 0)) {
        f.RFID_GbRead(OperateArea, static_cast<uint16_t>(OperateStartAddr), DataLenght,
                      OperatePassWord);
    } else if (take(GbWriteTagFlag, 1, 0)) {
        f.RFID_GbWrite(OperateArea, static_cast<uint16_t>(OperateStartAddr), DataLenght,
                       bytes(WriteData), sizeof WriteData, OperatePassWord);
    } else if (take(GbLockTagFlag, 1, 0)) {
        f.RFID_GbLock(LockArea, LockSelect, LockPassWord);
    } else if (take(GbDistroyTagFlag, 1, 0)) {
        f.RFID_GbKill(DistroyPassWord);
    } else if (take(GbSeReadTagFlag, 1, 0)) {
        send_gb_secure_read();
    } else if (take(GbSeWriteTagFlag, 1, 0)) {
        send_gb_secure_write();
    } else if (take(GbSeLockTagFlag, 1, 0)) {
        f.RFID_GbSeLock(LockArea, LockSelect, LockPassWord);
    } else if (take(GbSeDistroyTagFlag, 1, 0)) {
        f.RFID_GbSeKill(DistroyPassWord);
    } else if (take(GbDoubleIdTagFlag, 1, 0)) {
        f.RFID_GbDoubleIdentify(bytes(DoubleIdentify_Key));
    } else if (take(SendDataFlag, 1, 0)) {
        const int count = std::clamp(sendlenght, 0, static_cast<int>(sizeof UartData));
        f.Uart_Moniter_Send(UartData, sizeof UartData, static_cast<uint8_t>(count));
    } else if (take(ReaderParaResetFlag, 1, 0)) {
        f.Reset_Para();
    } else if (take(SaveParaFlag, 1, 0)) {
        send_save_param();
    } else if (upgrade_resend_) {
        upgrade_resend_ = false;
        if (last_packet_valid_)
            send_upgrade_packet(last_packet_baseband_, last_packet_number_, last_packet_final_,
                                last_packet_.data(), static_cast<uint16_t>(last_packet_.size()));
    } else if (ReaderAppUpgradeFlag == 1 && UpObject == 0) {
        if (!serve_upgrade(ReaderAppUpgradeFlag, false))
            return;
    } else if (BasebandFirmwareUpgradeFlag == 1 && UpObject == 1) {
        if (!serve_upgrade(BasebandFirmwareUpgradeFlag, true))
            return;
    }

    f.GetTxData(TxData);
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
