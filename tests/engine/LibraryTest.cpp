// The library's exports and the texts its objects give for statuses.
#include "tests/engine/EngineHarness.h"

#include <gtest/gtest.h>

namespace trevalo::engine::test {

namespace {

TEST(EngineLibrary, ReportsVersionAndRegisters) {
    EXPECT_EQ(Library().getInterfaceVersion(), kInterfaceVersion);
    EXPECT_EQ(Library().registerServer(), kOk);
}

TEST(EngineLibrary, MakesOnlyMatchingClassAndInterface) {
    struct Case {
        std::uint32_t classId;
        std::uint32_t interfaceId;
        Status status;
    };
    const Case cases[] = {
        {kClassPacketWriter, kIidPacketWriter, kOk},
        {kClassRecordBase, kIidRecordBase, kOk},
        {kClassRecordCursor, kIidRecordCursor, kOk},
        {kClassPacketWriter, kIidRecordCursor, kUnknownClass},
        {kClassRecordCursor, kIidRecordBase, kUnknownClass},
        {0x54520009, kIidRecordBase, kUnknownClass},
        {0, 0, kUnknownClass},
    };
    for (const Case& c : cases) {
        int sentinel = 0;
        void* object = &sentinel;
        EXPECT_EQ(Library().getClassObject(c.classId, c.interfaceId, &object), c.status)
            << std::hex << c.classId << " " << c.interfaceId;
        if (c.status == kOk) {
            ASSERT_NE(object, nullptr);
            static_cast<IEngineObject*>(object)->Release();
        } else {
            EXPECT_EQ(object, nullptr);
        }
    }
    EXPECT_EQ(Library().getClassObject(kClassRecordBase, kIidRecordBase, nullptr),
              kInvalidArgument);
}

TEST(EngineLibrary, EveryObjectNamesEveryStatus) {
    const std::pair<Status, const char*> cases[] = {
        {kInvalidPacket, "Invalid data packet"},
        {kBookmarkNotFound, "Record not found"},
        {kValueTooLong, "Value too long for field"},
        {kNoCurrentRecord, "No current record"},
        {kInvalidExpression, "Invalid expression"},
        {kTypeMismatch, "Type mismatch in expression"},
        {kFieldOutOfRange, "Field number out of range"},
        {kUnknownClass, "Unknown class or interface"},
        {kOutOfMemory, "Not enough memory"},
        {kEof, "At end of table"},
        {0x1234, "Record engine error $1234"},
        {0xBEEF, "Record engine error $BEEF"},
    };
    const Ptr<IEngineObject> objects[] = {Ptr<IEngineObject>(MakeWriter().release()),
                                          Ptr<IEngineObject>(MakeBase().release()),
                                          Ptr<IEngineObject>(MakeCursor().release())};
    for (const auto& object : objects) {
        for (const auto& [status, text] : cases) {
            char buffer[64];
            ASSERT_EQ(object->GetErrorText(status, buffer, sizeof buffer), kOk);
            EXPECT_STREQ(buffer, text);
        }
        char cut[5] = "xxxx";
        EXPECT_EQ(object->GetErrorText(kInvalidPacket, cut, sizeof cut), kOk);
        EXPECT_STREQ(cut, "Inva");
        EXPECT_EQ(object->GetErrorText(kInvalidPacket, cut, 0), kInvalidArgument);
        EXPECT_EQ(object->GetErrorText(kInvalidPacket, nullptr, 8), kInvalidArgument);
    }
}

} // namespace

} // namespace trevalo::engine::test
