// Request rows framed by builders that only some drivers offer, for the
// link threads whose driver has them. `Driver` is the link's driver class,
// `drv` reaches it from the thread object.
#pragma once

#include "reader_params.h"
#include "sdk_package/link_thread/LinkThread.h"

#include <cstdint>

namespace link_requests {

inline const uint8_t* bytes(const char* text)
{
    return reinterpret_cast<const uint8_t*>(text);
}

// A request the link does not carry. The controller refuses it before it
// is raised; raised anyway, it is taken down and nothing is sent or
// reported as sent.
inline RequestRow not_carried(const char* name, std::atomic<uint8_t> LinkThread::*flag, uint8_t take = 1)
{
    return {name, flag, take, 0, [](LinkThread&) { return false; }};
}

template <class Driver, Driver& (*drv)(LinkThread&)>
RequestRow switch_ant_inventory()
{
    return {"StartSwitchAntInventory", &LinkThread::StartSwitchAntInventoryFlag, 1, 2, [](LinkThread& t) {
                drv(t).Switch_Ant_Inventory(ant_num, Round_Ant, Round_Num, 0, session_select, flag_select,
                                            ChangeAntInventory_Round);
                return true;
            }};
}

template <class Driver, Driver& (*drv)(LinkThread&)>
RequestRow gb_secure_read()
{
    return {"GbSecureReadTag", &LinkThread::GbSeReadTagFlag, 1, 0, [](LinkThread& t) {
                drv(t).RFID_GbSeRead(OperateArea, static_cast<uint16_t>(OperateStartAddr), DataLenght,
                                     OperatePassWord);
                return true;
            }};
}

template <class Driver, Driver& (*drv)(LinkThread&)>
RequestRow gb_secure_write()
{
    return {"GbSecureWriteTag", &LinkThread::GbSeWriteTagFlag, 1, 0, [](LinkThread& t) {
                drv(t).RFID_GbSeWrite(OperateArea, static_cast<uint16_t>(OperateStartAddr), DataLenght,
                                      bytes(WriteData), sizeof WriteData, OperatePassWord);
                return true;
            }};
}

// The 6C write with the write-command selector of the TCP and USB-HID
// drivers.
template <class Driver, Driver& (*drv)(LinkThread&)>
RequestRow tag_write_by_method()
{
    return {"WriteTag", &LinkThread::WriteTagFlag, 1, 0, [](LinkThread& t) {
                drv(t).RFID_Write(WriteMethod, OperateArea, OperateStartAddr, DataLenght, bytes(WriteData),
                                  sizeof WriteData, OperatePassWord);
                return true;
            }};
}

template <class Driver, Driver& (*drv)(LinkThread&)>
RequestRow save_param()
{
    return {"SavePara", &LinkThread::SaveParaFlag, 1, 0, [](LinkThread& t) {
                drv(t).Save_Param();
                return true;
            }};
}

}  // namespace link_requests
