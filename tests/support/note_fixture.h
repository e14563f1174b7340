#pragma once
// A new note on fresh settings: where most tests of the program start.
#include <gtest/gtest.h>

#include "note/COutlookNote.h"
#include "support/test_support.h"

namespace testsupport {

class NoteFixture : public testing::Test {
protected:
    void SetUp() override {
        ResetSettings();
        ASSERT_TRUE(note.Create());
    }
    COutlookNote note;
};

}  // namespace testsupport
