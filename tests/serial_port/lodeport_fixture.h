// liblodeport.so loaded the way the program loads it: from the program's own
// folder, through Export, used only through LodePortBase.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "platform/platform.h"
#include "serial_port_library/lodeportBase.h"

class LodePortTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        library_ = platform::LoadLibraryFromExeDir("liblodeport.so");
        if (library_ != nullptr)
            export_ = reinterpret_cast<LodePortExportFn>(platform::FindSymbol(library_, "Export"));
    }
    static void TearDownTestSuite() {
        if (library_ != nullptr) platform::UnloadLibrary(library_);
        library_ = nullptr;
        export_ = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(library_, nullptr) << platform::LastLoadError();
        ASSERT_NE(export_, nullptr) << platform::LastLoadError();
    }

    std::unique_ptr<LodePortBase> NewPort() { return std::unique_ptr<LodePortBase>(export_()); }

    static platform::LibraryHandle library_;
    static LodePortExportFn export_;
};
