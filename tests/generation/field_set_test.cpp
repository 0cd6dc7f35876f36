#include "field_set.h"
#include "platform/encoding.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace popolun {
namespace {

using enum FieldId;

TEST(FieldSet, HoldsTheCreationValues)
{
    const FieldSet fields;
    EXPECT_EQ(fields.text(name), "");
    EXPECT_EQ(fields.text(extension), ".wmv");
    EXPECT_EQ(fields.text(width), "320");
    EXPECT_EQ(fields.text(height), "304");
    EXPECT_EQ(fields.text(autostart), "true");
    // Inner quotes and spaces belong to the values.
    EXPECT_EQ(fields.text(asxEnd), "\"></Entry></ASX>");
    EXPECT_EQ(fields.text(objectBeforeHeight), "\" height=\"");
    EXPECT_EQ(fields.text(fallbackBeforeHeight), " height=");
    // The two values with a line break inside keep their CR LF.
    EXPECT_TRUE(fields.text(linkAfterName).ends_with("\r\n'</BODY></HTML>"));
    EXPECT_EQ(encodeCp932(fields.text(linkAfterName))->size(), 78u);
    EXPECT_EQ(encodeCp932(fields.text(fallbackEnd))->size(), 36u);
    EXPECT_TRUE(fields.text(fallbackEnd).ends_with("</body></html>\r\n"));
    EXPECT_EQ(fieldName(width), "Text12");
}

TEST(FieldSet, ChangeNotificationRunsOnlyOnARealChangeAndNests)
{
    FieldSet fields;
    std::vector<std::string> seen;
    fields.field(width).onChange([&] {
        seen.push_back("12:" + fields.text(width));
        fields.setText(height, fields.text(width) + "!");
    });
    fields.field(height).onChange([&] { seen.push_back("14:" + fields.text(height)); });

    fields.setText(width, "320"); // same value: nothing runs
    EXPECT_TRUE(seen.empty());

    fields.setText(width, "640");
    // The nested handler finished before the outer setter returned.
    EXPECT_EQ(seen, (std::vector<std::string>{"12:640", "14:640!"}));

    // A field without a handler changes alone.
    fields.setText(asxHead, "other");
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_EQ(fields.text(asxBeforeName), FieldSet::initialText(asxBeforeName));
}

TEST(FieldSet, WatchersSeeTheValueAfterTheHandler)
{
    Field field("a");
    field.onChange([&] { field.setText("fixed"); });
    std::vector<std::string> seen;
    field.watch([&] { seen.push_back(field.text()); });
    field.setText("typed");
    EXPECT_EQ(field.text(), "fixed");
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), "fixed");
}

TEST(FieldSet, SnapshotHoldsEveryFieldAndDoesNotFollowLaterEdits)
{
    FieldSet fields;
    fields.setText(name, "bb");
    const Snapshot snapshot = fields.snapshot();
    fields.setText(name, "cc");
    EXPECT_EQ(snapshot[name], "bb");
    for (int n = 2; n <= kFieldCount; ++n)
        EXPECT_EQ(snapshot[FieldId{n}], fields.text(FieldId{n})) << fieldName(FieldId{n});
    EXPECT_THROW((void)snapshot[FieldId{kFieldCount + 1}], std::out_of_range);
}

} // namespace
} // namespace popolun
