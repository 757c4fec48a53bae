// What one test leaves in the state the whole test process shares never
// reaches the next test: the GUI test main() installs this around every
// test, so that a program runs whole and in any order as it runs one test
// at a time.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace gui_test {

// Every operator's parameter of reader_params.h, as it was when saved.
class SavedReaderParams {
public:
    SavedReaderParams();
    void restore() const;

private:
    template <class T>
    void keep(T& global);
    template <class T, size_t N>
    void keep(T (&global)[N]);

    std::vector<std::function<void()>> restore_;
};

// After each test: requests still queued on the event hub are dropped and
// its delivery is switched back on, a window still open fails the test and
// is destroyed, the window state saved in the home folder goes, and the
// operator's parameters are put back as the test found them.
class BetweenTests : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo& test) override;
    void OnTestEnd(const testing::TestInfo& test) override;

private:
    std::unique_ptr<SavedReaderParams> params_;
};

}  // namespace gui_test
