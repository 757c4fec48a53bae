#include "reply_decoder.h"

#include "wxcrafter/reader_rfparam_pannel_base/rf_param_tables.h"

#include <cstdio>

namespace reply {

namespace {

// Reply statuses the branches test.
enum : uint8_t {
    SUCCESS = 0x10,
    FAIL = 0x11,
    CUSTOM_DONE = 0x12,
    SWITCH_DONE = 0x13,
    ANT_MISS = 0x22,
    POWER_RANGE = 0x25,
    TAG_READ = 0x32,
    TAG_WRITE = 0x33,
    TAG_LOCK = 0x34,
    TAG_KILL = 0x35,
    NO_TAG = 0x36,
    ACCESS_FAIL = 0x37,
    BUFFER_EMPTY = 0x38,
    PASSWORD = 0x40,
    UNSUPPORTED = 0x41,
    WORD_COUNT = 0x43,
};

const char* const kAntennaMissing = "天线未连接!";
const char* const kNoTag = "无可操作标签错误!";
const char* const kAccessFail = "成功盘存但访问失败!";
const char* const kPassword = "访问标签错误或访问密码错误!";
const char* const kInvalid = "无效的参数!";
const char* const kNotSupportedByTag = "标签不支持此操作!";
const char* const kWordCount = "wordCnt参数超过规定长度!";
const char* const kMemory = "内存不支持这个操作!";
const char* const kNotSupported = "读写器不支持此命令！";

std::string decimal(unsigned value)
{
    return std::to_string(value);
}

// An Outcome that the branch has taken.
Outcome taken(bool clear_timeout)
{
    Outcome out;
    out.handled = true;
    out.clear_timeout = clear_timeout;
    return out;
}

Outcome with_line(Outcome out, const char* text, bool red = true)
{
    out.lines.push_back({text, red});
    return out;
}

Outcome with_action(Outcome out, Action action, Parser parser = Parser::none)
{
    out.action = action;
    out.parser = parser;
    return out;
}

// ------------------------------------------------------ reader settings

Outcome version(const Reply& r)
{
    Outcome out = taken(true);
    if (!r.has(3))
        return out;
    std::string prefix;
    switch (r.at(2)) {
    case 1: prefix = "KSR410-"; break;
    case 2: prefix = "KSR420-"; break;
    case 6: prefix = "KSR460-"; break;
    case 8: prefix = "KSR480-"; break;
    default: break;
    }
    out.text = prefix + decimal(r.at(0)) + "." + decimal(r.at(1));
    return with_action(out, Action::show_version);
}

Outcome temperature(const Reply& r)
{
    Outcome out = taken(true);
    if (!r.has(2))
        return out;
    // A sign byte other than 0 or 1 shows the number alone.
    const char* sign = r.at(0) == 0 ? "-" : r.at(0) == 1 ? "+" : "";
    out.text = std::string(sign) + decimal(r.at(1)) + "℃";
    return with_action(out, Action::show_temperature);
}

Outcome gpio(const Reply& r)
{
    Outcome out = taken(true);
    if (!r.has(2))
        return out;
    // Level 0 shows "低" (index 1), level 1 "高" (index 0).
    for (int i = 0; i < 2; ++i)
        out.values[i] = r.at(i) == 0 ? 1 : r.at(i) == 1 ? 0 : -1;
    return with_action(out, Action::show_gpio);
}

Outcome powers(const Reply& r)
{
    Outcome out = taken(true);
    const size_t count = r.len_byte == 4 ? 1 : r.len_byte == 11 ? 8 : 4;
    if (!r.has(count))
        return out;
    for (size_t i = 0; i < count; ++i)
        out.texts.push_back(decimal(r.at(i)));
    return with_action(out, Action::show_powers);
}

Outcome frequency(const Reply& r)
{
    Outcome out = taken(true);
    const uint8_t region = r.at(0);
    if (!r.has(1) || region == SUCCESS)
        return out;
    if (region == 4) {
        if (!r.has(7))
            return out;
        out.texts = {decimal(r.at(1) * 256u + r.at(2)), decimal(r.at(3)),
                     decimal(r.at(4) * 65536u + r.at(5) * 256u + r.at(6))};
        return with_action(out, Action::show_custom_plan);
    }
    // The reader counts frequency points from each region's first; the
    // page's lists count from 0.
    static const struct {
        uint8_t code;
        int entry;
        uint8_t first_point;
    } regions[] = {{1, 0, 7}, {2, 1, 0}, {3, 2, 43}};
    out.values[0] = -1;
    for (const auto& reg : regions)
        if (reg.code == region) {
            if (!r.has(3))
                return out;
            out.values[0] = reg.entry;
            out.values[1] = static_cast<uint8_t>(r.at(1) - reg.first_point);
            out.values[2] = static_cast<uint8_t>(r.at(2) - reg.first_point);
        }
    return with_action(out, Action::show_standard_plan);
}

Outcome value_or_nothing(const Reply& r, Action action, bool success_is_status)
{
    Outcome out = taken(true);
    if (!r.has(1) || (success_is_status && r.status() == SUCCESS))
        return out;
    out.values[0] = r.at(0);
    return with_action(out, action);
}

// --------------------------------------------------------- inventories

// The status texts a custom inventory or a 6C read reports at any length.
const char* custom_status_text(uint8_t status)
{
    switch (status) {
    case TAG_READ: return "读标签错误!";
    case NO_TAG: return kNoTag;
    case ACCESS_FAIL: return kAccessFail;
    case PASSWORD: return kPassword;
    case UNSUPPORTED: return kInvalid;
    case WORD_COUNT: return kWordCount;
    default: return nullptr;
    }
}

Outcome realtime(const Reply& r, bool session)
{
    Outcome out = taken(false);
    out.antenna_step = true;
    // Only a short reply is a status: a longer one is a tag report whatever
    // its first byte, and the reader goes on streaming.
    if (!r.is_short())
        return with_action(out, Action::realtime_report);
    if (r.status() == SUCCESS)
        return out;  // the end of one round
    // The reader has stopped; a rotating page moves its antenna on at once.
    if (r.status() == ANT_MISS || (!session && r.status() == NO_TAG)) {
        out.ended = true;
        out.post_tag_list = true;
        return with_line(with_action(out, Action::realtime_end), r.status() == ANT_MISS ? kAntennaMissing : kNoTag);
    }
    return out;
}

Outcome buffered_inventory(const Reply& r)
{
    Outcome out = taken(false);
    if (r.is_short()) {
        if (r.status() == ANT_MISS)
            return with_line(with_action(out, Action::buffer_end), kAntennaMissing);
        if (r.status() == NO_TAG)
            return with_line(with_action(out, Action::buffer_end), kNoTag);
        return out;
    }
    if (!r.has(2))
        return out;
    out.values[0] = r.at(0) * 256 + r.at(1);
    return with_action(out, Action::buffer_count);
}

Outcome buffer_read(const Reply& r)
{
    Outcome out = taken(false);
    if (r.status() == BUFFER_EMPTY)
        return with_line(out, "缓存为空!");
    if (r.is_short())
        return out;
    return with_action(out, Action::buffer_record);
}

// The buffer's tag count: two bytes, most significant first. A status alone
// says why there is none.
Outcome buffer_count(const Reply& r)
{
    Outcome out = taken(false);
    if (!r.is_short()) {
        if (r.has(2))
            out.lines.push_back({"缓存中标签数量: " + decimal(r.at(0) * 256u + r.at(1)), false});
        return out;
    }
    if (r.status() == BUFFER_EMPTY)
        return with_line(out, "缓存为空!");
    if (r.status() != SUCCESS)
        out.lines.push_back({unread_result_line(r), true});
    return out;
}

Outcome antenna_switch(const Reply& r)
{
    Outcome out = taken(false);
    if (r.is_short()) {
        switch (r.status()) {
        case FAIL:
            return with_line(with_action(out, Action::switchant_end), kNotSupported);
        case SWITCH_DONE:
            out.post_tag_list = true;
            return with_line(with_action(out, Action::switchant_end), "结束多天线轮询盘存", false);
        case ANT_MISS:
            out.post_tag_list = true;
            return with_line(with_action(out, Action::switchant_end), kAntennaMissing);
        case NO_TAG:
            return with_line(out, kNoTag);
        default:
            return out;
        }
    }
    if (r.status() == NO_TAG)
        return with_line(out, kNoTag);
    if (r.status() == SUCCESS)
        return out;
    return with_action(out, Action::switchant_report);
}

Outcome custom(const Reply& r)
{
    struct Family {
        uint8_t code;
        bool end_short_only;
        bool list_on_end;
        Parser parser;
        bool antenna_step;
    };
    static const Family families[] = {
        {0x52, false, false, Parser::temperature, false},
        {0x53, false, false, Parser::match_data, false},
        {0x54, true, false, Parser::match_data, false},
        {0x55, true, false, Parser::match_data, false},
        {0x56, true, false, Parser::gb_match_data, false},
        {0x57, true, false, Parser::gb_match_data, false},
        {0x58, false, false, Parser::temperature1, false},
        {0x8A, true, true, Parser::epc, true},
        {0xD8, false, false, Parser::vela_temperature, false},
        {0xD9, true, true, Parser::epc, true},
    };
    const Family* f = nullptr;
    for (const Family& family : families)
        if (family.code == r.cmd)
            f = &family;
    Outcome out = taken(false);
    if (!f)
        return Outcome();
    out.antenna_step = f->antenna_step;
    if (r.status() == CUSTOM_DONE && (!f->end_short_only || r.is_short())) {
        out.post_tag_list = f->list_on_end;
        return with_line(with_action(out, Action::custom_end), "结束自定义盘存", false);
    }
    // Without its antenna the reader has ended the inventory too.
    if (r.is_short() && r.status() == ANT_MISS) {
        out.post_tag_list = f->list_on_end;
        return with_line(with_line(with_action(out, Action::custom_end), kAntennaMissing), "结束自定义盘存", false);
    }
    if (const char* text = custom_status_text(r.status()))
        return with_line(out, text);
    if (r.is_short())
        return out;
    return with_action(out, Action::custom_report, f->parser);
}

// ---------------------------------------------------------- tag memory

// One status test of a tag-memory branch: at `status`, `text` (any length,
// or only on a short reply).
struct StatusText {
    uint8_t status;
    bool short_only;
    const char* text;
};

Outcome tag_memory(const Reply& r, const std::vector<StatusText>& tests, Parser parser)
{
    Outcome out = taken(true);
    for (const StatusText& t : tests)
        if (r.status() == t.status && (!t.short_only || r.is_short()))
            return t.text ? with_line(out, t.text) : out;
    // A status the branch does not name carries no result, but the
    // operation did not succeed either.
    if (r.is_short()) {
        out.lines.push_back({unread_result_line(r), true});
        return out;
    }
    return with_action(out, Action::tag_memory_result, parser);
}

Outcome tag_6c(const Reply& r)
{
    const bool any = false;
    const bool shrt = true;
    switch (r.cmd) {
    case 0x81:
        return tag_memory(r,
                          {{SUCCESS, shrt, nullptr},
                           {FAIL, shrt, "操作失败!"},
                           {TAG_READ, any, "读标签错误!"},
                           {NO_TAG, any, kNoTag},
                           {ACCESS_FAIL, any, kAccessFail},
                           {PASSWORD, any, kPassword},
                           {UNSUPPORTED, any, kInvalid},
                           {WORD_COUNT, any, kWordCount}},
                          Parser::read);
    case 0x82:
        return tag_memory(r,
                          {{SUCCESS, shrt, nullptr},
                           {FAIL, shrt, "操作失败!"},
                           {TAG_WRITE, shrt, "写标签错误!"},
                           {NO_TAG, shrt, kNoTag},
                           {ACCESS_FAIL, shrt, kAccessFail},
                           {PASSWORD, shrt, kPassword},
                           {UNSUPPORTED, shrt, kInvalid},
                           {WORD_COUNT, shrt, kWordCount}},
                          Parser::write);
    case 0x83:
        return tag_memory(r,
                          {{SUCCESS, shrt, nullptr},
                           {TAG_LOCK, shrt, "锁标签错误!"},
                           {UNSUPPORTED, shrt, kNotSupportedByTag},
                           {NO_TAG, shrt, kNoTag},
                           {ACCESS_FAIL, shrt, kAccessFail},
                           {PASSWORD, shrt, kPassword},
                           {WORD_COUNT, shrt, kMemory}},
                          Parser::lock);
    default:
        return tag_memory(r,
                          {{SUCCESS, shrt, nullptr},
                           {TAG_KILL, shrt, "杀死标签错误!"},
                           {UNSUPPORTED, shrt, kNotSupportedByTag},
                           {NO_TAG, shrt, kNoTag},
                           {ACCESS_FAIL, shrt, kAccessFail},
                           {PASSWORD, shrt, kPassword},
                           {WORD_COUNT, shrt, kWordCount}},
                          Parser::kill);
    }
}

Outcome tag_gb(const Reply& r)
{
    const uint8_t cmd = r.cmd;
    const bool shrt = true;
    // A two-way authentication result begins with its EPC length, which
    // may equal any status: there only a short reply is a status.
    const bool any = cmd == 0x98 ? shrt : false;
    const bool read = cmd == 0x45 || cmd == 0x43;
    const bool write = cmd == 0x46 || cmd == 0x42;
    const bool lock = cmd == 0x47;
    const bool kill = cmd == 0x49;
    // Only a short reply is a bare success: a longer one carries the result.
    std::vector<StatusText> tests = {{SUCCESS, shrt, nullptr}};
    if (read || write)
        tests.push_back({FAIL, shrt, "操作太快 请稍后再试!"});
    if (read)
        tests.push_back({TAG_READ, any, "读标签错误!"});
    if (write)
        tests.push_back({TAG_WRITE, any, "写标签错误!"});
    if (lock)
        tests.push_back({TAG_LOCK, shrt, "锁标签错误!"});
    if (kill)
        tests.push_back({TAG_KILL, shrt, "杀死标签错误!"});
    tests.push_back({NO_TAG, any, kNoTag});
    tests.push_back({ACCESS_FAIL, any, kAccessFail});
    tests.push_back({PASSWORD, any, kPassword});
    tests.push_back({UNSUPPORTED, any, read || write ? kInvalid : kNotSupportedByTag});
    tests.push_back({WORD_COUNT, any, lock ? kMemory : kWordCount});
    tests.push_back({0x60, any, "标签供电不足!"});
    tests.push_back({0x61, any, "标签权限不足!"});
    tests.push_back({0x62, any, "内存地址超出范围!"});
    tests.push_back({0x63, any, "内存被锁定!"});
    tests.push_back({0x64, any, "操作密码错误!"});
    tests.push_back({0x65, any, cmd == 0x43 ? "标签认证读写器失败!" : "标签认证读写器失败(认证密码错误)!"});
    tests.push_back({0x66, any, "未知错误!"});
    const Parser parser = read    ? Parser::gb_read
                          : write ? Parser::gb_write
                          : lock  ? Parser::gb_lock
                          : kill  ? Parser::gb_kill
                                  : Parser::double_identify;
    return tag_memory(r, tests, parser);
}

Outcome epc_match_query(const Reply& r)
{
    Outcome out = taken(true);
    if (r.has(1) && r.status() != SUCCESS && r.at(0) == 0)
        return with_line(out, "标签匹配为空！");
    return out;
}

// What the operator calls each tag-memory request.
const char* operation_name(uint8_t cmd)
{
    switch (cmd) {
    case 0x81: return "读标签";
    case 0x82: return "写标签";
    case 0x83: return "锁标签";
    case 0x84: return "杀死标签";
    case 0x45: return "国标读标签";
    case 0x43: return "国标加密读标签";
    case 0x46: return "国标写标签";
    case 0x42: return "国标加密写标签";
    case 0x47: return "国标锁标签";
    case 0x49: return "国标杀死标签";
    case 0x98: return "双向认证";
    case 0x92: return "读取缓存数量";
    default: return "标签操作";
    }
}

}  // namespace

std::string unread_result_line(const Reply& r)
{
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned>(r.status()));
    const std::string name = operation_name(r.cmd);
    if (!r.has(1))
        return name + "的应答没有状态码!";
    if (r.is_short())
        return name + "失败，状态码 " + code + "!";
    return name + "的应答无法解析，首字节 " + code + "，共 " + decimal(static_cast<unsigned>(r.size)) + " 字节!";
}

Reply view(const uint8_t* frame, size_t frame_size)
{
    Reply r;
    if (frame_size < 4)
        return r;
    r.cmd = frame[3];
    r.len_byte = frame[1];
    r.data = frame + 4;
    const size_t announced = r.len_byte >= 3 ? r.len_byte - 3u : 0;
    r.size = announced < frame_size - 4 ? announced : frame_size - 4;
    return r;
}

Outcome decode(const Reply& r)
{
    switch (r.cmd) {
    // Reader settings.
    case 0x70:
        return with_line(taken(true), r.status() == SUCCESS ? "复位成功！" : "复位失败!");
    case 0x73: {
        // The RS-485 address reply never ends a waiting request.
        const char* text = r.status() == SUCCESS ? "set addr successful!"
                           : r.status() == FAIL  ? "connect reader addr error"
                                                 : "";
        return with_line(taken(false), text);
    }
    case 0x72:
        return version(r);
    case 0x7B:
        return temperature(r);
    case 0x60:
        return gpio(r);
    case 0x51:
    case 0x61:
    case 0x69:
    case 0x78:
    case 0x7A:
        return taken(true);
    case 0x74:
        return r.status() == UNSUPPORTED ? with_line(taken(true), "天线超出范围!") : taken(true);
    case 0x75:
        return value_or_nothing(r, Action::show_work_antenna, false);
    case 0x50:
        return value_or_nothing(r, Action::show_fast_epc, true);
    case 0x6A: {
        Outcome out = value_or_nothing(r, Action::show_profile, true);
        out.values[0] &= 0x0F;
        // The page then shows no profile rather than one not in effect.
        if (out.action == Action::show_profile && rf_tables::profile_index(static_cast<uint8_t>(out.values[0])) < 0)
            out.lines.push_back({"读写器当前的通讯带宽配置ID为" + decimal(static_cast<unsigned>(out.values[0])) +
                                 "，不在配置列表中！"});
        return out;
    }
    case 0x76:
        return r.status() == POWER_RANGE ? with_line(taken(true), "功率超出范围!") : taken(true);
    case 0x5E:
    case 0x5F:
        return r.status() == POWER_RANGE ? with_line(taken(true), "功率超出范围!")
               : r.status() == FAIL      ? with_line(taken(true), kNotSupported)
                                         : taken(true);
    case 0x77:
        return powers(r);
    case 0x79:
        return frequency(r);
    case 0x4C:
    case 0x4D: {
        // Whether it clears the time-out depends on the upgrade under way.
        Outcome out = with_action(taken(false), Action::upgrade_ack);
        out.values[0] = r.cmd == 0x4C ? 0 : 1;
        return out;
    }
    // Inventories.
    case 0x89:
        return realtime(r, false);
    case 0x8B:
        return realtime(r, true);
    case 0x80:
        return buffered_inventory(r);
    case 0x90:
    case 0x91:
        return buffer_read(r);
    case 0x92:
        return buffer_count(r);
    case 0x87:
        return antenna_switch(r);
    case 0x52:
    case 0x53:
    case 0x54:
    case 0x55:
    case 0x56:
    case 0x57:
    case 0x58:
    case 0x8A:
    case 0xD8:
    case 0xD9:
        return custom(r);
    // Tag memory.
    case 0x81:
    case 0x82:
    case 0x83:
    case 0x84:
        return tag_6c(r);
    case 0x85:
        return taken(true);
    case 0x86:
        return epc_match_query(r);
    case 0x42:
    case 0x43:
    case 0x45:
    case 0x46:
    case 0x47:
    case 0x49:
    case 0x98:
        return tag_gb(r);
    default:
        return Outcome();
    }
}

}  // namespace reply
