// The fixture of the trace members' tests: an initialised engine that erases with zeroes, the
// fastest method (the stored method comes back afterwards), and the places a test builds its
// traces in removed before and after it by the fixture's Clean.
#pragma once

#include "StoredSettings.h"
#include "VxMain.h"
#include "common/SettingGuard.h"

#include <gtest/gtest.h>

class TraceArea : public ::testing::Test {
protected:
    void SetUp() override {
        Clean();
        SettingGuard::WriteDword(SettingForMethod(EraseMethod::Zeroes));
        m_engine.IniLib();
    }
    void TearDown() override {
        m_engine.UnIniLib();
        Clean();
    }
    // Removes what the fixture's tests build; the engine is not initialised while it runs.
    virtual void Clean() {}

    SettingGuard m_setting;
    CVxMain m_engine;
};
