#include "wxcrafter/custom_inv_pannel_base/match_modes.h"

namespace {

const int kFit = -1;
const int kOperator = -1;

}  // namespace

const std::vector<match_mode>& match_modes()
{
    static const std::vector<match_mode> modes = {
        {"不匹配", 0, 6, list_layout::plain, "", 0x8A},
        {"匹配TID", 1, 6, list_layout::match_data, "TID", 0x53},
        {"匹配EPC", 2, 6, list_layout::match_data, "EPC", 0x54},
        {"匹配USERdata", 3, 2, list_layout::match_data, "USERDATA", 0x55},
        {"读Magnus温度标签", 4, 0, list_layout::temperature, "", 0x52},
        {"自定义匹配TID", 1, kOperator, list_layout::match_data, "TID", 0x53},
        {"自定义匹配EPC", 2, kOperator, list_layout::match_data, "EPC", 0x54},
        {"自定义匹配USERdata", 3, kOperator, list_layout::match_data, "USERDATA", 0x55},
        {"国标匹配标签信息区", 5, 6, list_layout::match_data, "标签信息区", 0x56},
        {"国标匹配编码区", 6, 6, list_layout::match_data, "编码区", 0x57},
        {"匹配VelaTagEPC", 7, 12, list_layout::plain, "", 0xD9},
        {"匹配VelaTagTemp", 8, 13, list_layout::sensor, "", 0xD8},
        {"匹配NMV2D", 9, 0, list_layout::temperature, "", 0x58},
    };
    return modes;
}

const match_mode* match_mode_at(int sel)
{
    const std::vector<match_mode>& modes = match_modes();
    if (sel < 0 || sel >= static_cast<int>(modes.size()))
        return nullptr;
    return &modes[static_cast<size_t>(sel)];
}

std::vector<list_column> mode_columns(const match_mode& mode)
{
    using c = custom_column;
    switch (mode.layout) {
    case list_layout::plain:
        return {{"ID", 50, c::id},         {"类型", 40, c::kind}, {"EPC", 300, c::epc},      {"PC", 80, c::pc},
                {"识别次数", 100, c::counts}, {"RSSI", 80, c::rssi}, {"载波频率", 100, c::freq}};
    case list_layout::match_data:
        return {{"ID", kFit, c::id},
                {"PC", 80, c::pc},
                {"CRC", kFit, c::crc},
                {"EPC", 300, c::epc},
                {"识别次数", 100, c::counts},
                {mode.data_heading, 300, c::data},
                {"数据长度", 80, c::data_len},
                {"RSSI", 80, c::rssi},
                {"载波频率", 100, c::freq}};
    case list_layout::temperature:
        return {{"ID", kFit, c::id},           {"PC", 80, c::pc},
                {"CRC", kFit, c::crc},         {"EPC", 400, c::epc},
                {"识别次数", 100, c::counts},  {"标签温度", 100, c::temperature},
                {"RSSI", 80, c::rssi},         {"载波频率", 100, c::freq}};
    case list_layout::sensor:
        return {{"ID", kFit, c::id},   {"类型", 40, c::kind},         {"PC", 80, c::pc},
                {"EPC", 400, c::epc},  {"识别次数", 100, c::counts},  {"标签温度", 100, c::temperature}};
    }
    return {};
}
