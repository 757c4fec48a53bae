#include "wxcrafter/page_support/antenna_rotation.h"

namespace {

struct combination_def {
    const char* text;
    std::vector<int> cycle;
};

// Combination c is entry c - 1.
const std::vector<combination_def>& combinations()
{
    static const std::vector<combination_def> table = {
        {"天线1-天线2", {1, 2}},
        {"天线1-天线3", {1, 3}},
        {"天线1-天线4", {1, 4}},
        {"天线2-天线3", {2, 3}},
        {"天线2-天线4", {2, 4}},
        {"天线3-天线4", {3, 4}},
        {"天线1-天线2-天线3", {1, 2, 3}},
        {"天线1-天线2-天线4", {1, 2, 4}},
        {"天线2-天线3-天线4", {2, 3, 4}},
        {"天线1-天线2-天线3-天线4", {1, 2, 3, 4}},
        {"天线1-天线2-天线3-天线4-天线5-天线6-天线7-天线8", {1, 2, 3, 4, 5, 6, 7, 8}},
    };
    return table;
}

const int kFourAntennas = 10;  // the combination of antennas 1 to 4
const int kEightAntennas = 11;

antenna_rotation::entry single(int antenna)
{
    return {"天线" + std::to_string(antenna), antenna, 0};
}

antenna_rotation::entry combined(int c)
{
    return {combinations()[static_cast<size_t>(c - 1)].text, 0, c};
}

}  // namespace

antenna_rotation::antenna_rotation() : ant_mode(0), jump_ant(0), ant_temp(1)
{
    choices = {single(1), single(2), single(3), single(4), combined(kFourAntennas),
               single(5), single(6), single(7), single(8)};
}

bool antenna_rotation::set_reader_type(int reader_type)
{
    choices.clear();
    switch (reader_type) {
    case 0:
        // Padded to 36 characters, so the choice keeps the width of the
        // longer lists.
        choices.push_back({"天线1" + std::string(33, ' '), 1, 0});
        ant_mode = 1;
        return true;
    case 1:
        for (int a = 1; a <= 4; ++a)
            choices.push_back(single(a));
        for (int c = 1; c <= kFourAntennas; ++c)
            choices.push_back(combined(c));
        ant_mode = 4;
        return true;
    case 2:
        for (int a = 1; a <= 8; ++a)
            choices.push_back(single(a));
        choices.push_back(combined(kEightAntennas));
        ant_mode = 8;
        return true;
    default:
        return false;
    }
}

bool antenna_rotation::start(int selection, uint8_t& work_antenna)
{
    if (selection < 0 || selection >= static_cast<int>(choices.size()))
        return false;
    const entry& chosen = choices[static_cast<size_t>(selection)];
    if (chosen.combination == 0) {
        work_antenna = static_cast<uint8_t>(chosen.antenna);
        jump_ant = 0;
        return true;
    }
    jump_ant = chosen.combination;
    ant_temp = combinations()[static_cast<size_t>(jump_ant - 1)].cycle.front();
    work_antenna = static_cast<uint8_t>(ant_temp);
    return true;
}

int antenna_rotation::next()
{
    if (jump_ant < 1 || jump_ant > static_cast<int>(combinations().size()))
        return 0;
    const std::vector<int>& cycle = combinations()[static_cast<size_t>(jump_ant - 1)].cycle;
    size_t at = 0;
    while (at < cycle.size() && cycle[at] != ant_temp)
        ++at;
    // From the last antenna, or from one outside the cycle, to the first.
    ant_temp = (at + 1 < cycle.size()) ? cycle[at + 1] : cycle.front();
    return ant_temp;
}
