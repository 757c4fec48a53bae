// Whatever a reader sends, the controller's decoder and every page it feeds
// stay inside their bytes and tables (the sanitizer build reports any slip),
// and no dialog opens.
#include "app_test_support.h"

#include <random>

using namespace app_test;

namespace {

class Fed : public Controller {
public:
    // One reply as the data timer would hand it over.
    void feed(uint8_t cmd, uint8_t len_byte, const uint8_t* data, size_t count)
    {
        std::fill(rx_data, rx_data + 255, 0);
        std::copy(data, data + std::min<size_t>(count, 255), rx_data);
        pakagelen = len_byte;
        cmd_decode(cmd);
    }
};

TEST(DecoderRobustness, RandomRepliesOfEveryCodeAndLength)
{
    Fed c;
    std::mt19937 random(2024);
    uint8_t data[255];
    for (int i = 0; i < 100000; ++i) {
        const uint8_t len_byte = static_cast<uint8_t>(random());
        // Real frames hold at most what their length byte says.
        const size_t count = len_byte >= 3 ? len_byte - 3u : 0;
        for (size_t k = 0; k < count; ++k)
            data[k] = static_cast<uint8_t>(random() % 3 == 0 ? 0x10 + random() % 0x58 : random());
        // The codes with a branch most of the time, any code now and then.
        const uint8_t cmd = static_cast<uint8_t>(random() % 4 ? 0x42 + random() % (0xD9 - 0x42 + 1) : random());
        c.feed(cmd, len_byte, data, count);
        if (i % 1000 == 0)
            deliver();
    }
    deliver();
    c.Destroy();
    deliver();
}

}  // namespace
