#include "field_set.h"
#include "page_set.h"
#include "platform/encoding.h"

#include <gtest/gtest.h>

namespace popolun {
namespace {

TEST(FieldSet, HoldsTheCreationValues)
{
    const FieldSet fields;
    EXPECT_EQ(fields.text(1), "");
    EXPECT_EQ(fields.text(4), ".wmv");
    EXPECT_EQ(fields.text(12), "320");
    EXPECT_EQ(fields.text(14), "304");
    EXPECT_EQ(fields.text(17), "true");
    // Inner quotes and spaces belong to the values.
    EXPECT_EQ(fields.text(5), "\"></Entry></ASX>");
    EXPECT_EQ(fields.text(13), "\" height=\"");
    EXPECT_EQ(fields.text(23), " height=");
    // The two values with a line break inside keep their CR LF.
    EXPECT_EQ(fields.text(8).find("\r\n'</BODY></HTML>"), fields.text(8).size() - 17);
    EXPECT_EQ(encodeCp932(fields.text(8))->size(), 78u);
    EXPECT_EQ(encodeCp932(fields.text(24))->size(), 36u);
    EXPECT_TRUE(fields.text(24).ends_with("</body></html>\r\n"));
}

TEST(FieldSet, ChangeNotificationRunsOnlyOnARealChangeAndNests)
{
    FieldSet fields;
    std::vector<std::string> seen;
    fields.field(12).onChange([&] {
        seen.push_back("12:" + fields.text(12));
        fields.setText(14, fields.text(12) + "!");
    });
    fields.field(14).onChange([&] { seen.push_back("14:" + fields.text(14)); });

    fields.setText(12, "320"); // same value: nothing runs
    EXPECT_TRUE(seen.empty());

    fields.setText(12, "640");
    // The nested handler finished before the outer setter returned.
    EXPECT_EQ(seen, (std::vector<std::string>{"12:640", "14:640!"}));

    // A field without a handler changes alone.
    fields.setText(2, "other");
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_EQ(fields.text(3), FieldSet::initialText(3));
}

TEST(FieldSet, WatchersSeeTheValueAfterTheHandler)
{
    Field field("a");
    field.onChange([&] { field.setText("fixed"); });
    std::vector<std::string> seen;
    field.watch([&] { seen.push_back(field.text()); });
    field.setText("typed");
    EXPECT_EQ(field.text(), "fixed");
    EXPECT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), "fixed");
}

TEST(FieldSet, SnapshotIsTakenInFieldOrderAndDoesNotFollowLaterEdits)
{
    FieldSet fields;
    fields.setText(1, "bb");
    const Snapshot snapshot = fields.snapshot();
    fields.setText(1, "cc");
    EXPECT_EQ(snapshot[0], "bb");
    for (int n = 2; n <= kFieldCount; ++n)
        EXPECT_EQ(snapshot[static_cast<std::size_t>(n - 1)], fields.text(n)) << "Text" << n;
}

} // namespace
} // namespace popolun
