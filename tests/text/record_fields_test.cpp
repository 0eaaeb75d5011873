// The table of the record's fields against the record and against the names
// the outputs have always had: a row out of place would move a JSON key, a
// column or a box.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "text/entry_inputs.h"
#include "text/record_fields.h"

namespace corvanet {
namespace {

std::string Joined(const auto& rows, const char* RecordField::*name)
{
    std::string out;
    for (const RecordField* f : rows) out += (out.empty() ? "" : ",") + std::string(f->*name);
    return out;
}

const void* Address(const SurveyRecord& r, const RecordField& f)
{
    const FieldMember& m = f.member;
    return m.real ? static_cast<const void*>(&(r.*m.real))
           : m.single ? static_cast<const void*>(&(r.*m.single))
                      : static_cast<const void*>(&(r.*m.text));
}

TEST(RecordFields, OneRowForEachMemberInDeclaredOrder)
{
    const SurveyRecord r;
    const void* last = nullptr;
    std::set<std::string> keys, boxes;
    for (const RecordField& f : kRecordFields) {
        EXPECT_LT(last, Address(r, f)) << f.name << " is out of the record's order";
        last = Address(r, f);
        EXPECT_TRUE(keys.insert(f.jsonKey).second) << f.jsonKey;
        if (f.box) {
            EXPECT_TRUE(boxes.insert(f.box).second) << f.box;
        }
    }
}

TEST(RecordFields, ColumnsKeepTheirNamesAndOrder)
{
    EXPECT_STREQ(kInputHeader.data(), "name,Xa,Ya,Xb,Yb,Xc,Yc,S1,S2,S3");
    EXPECT_EQ(Joined(kResultColumns, &RecordField::resultColumn),
              "w,k,ms,s1,s2,s3,xp1,yp1,xp2,yp2,xp3,yp3,px,py,mx,my,md,m");
}

TEST(RecordFields, EveryReportValueAndResultHasItsOwnRow)
{
    for (int v = 0; v <= static_cast<int>(ReportValue::m); ++v)
        EXPECT_EQ(static_cast<int>(FieldOf(static_cast<ReportValue>(v)).report), v);
    for (std::size_t i = 0; i < kResultFieldCount; ++i)
        EXPECT_EQ(static_cast<std::size_t>(*kResultFieldRows[i]->result), i);
}

TEST(RecordFields, EntryTakesEachInputIntoItsFieldAndBox)
{
    std::set<const RecordField*> entered;
    for (const EntryInput& in : EntryInputs()) {
        EXPECT_TRUE(entered.insert(in.field).second) << in.label;
        EXPECT_NE(in.field->inputColumn, nullptr) << in.label;
        EXPECT_STREQ(in.box, in.field->box);
        EXPECT_EQ(in.value, in.field->member.real);
        if (in.observed) {
            EXPECT_EQ(in.observed->name, std::string(in.field->name) + "obs");
            EXPECT_EQ(static_cast<int>(*in.observed->storedBy) - static_cast<int>(Step::ObservedS1) + 1,
                      in.observedSide);
        }
    }
    EXPECT_EQ(entered.size(), kInputColumns.size());
    EXPECT_EQ(EntryInputs()[9].observedSide, 3);
    EXPECT_EQ(EntryInputs()[9].observed->name, std::string("S3obs"));
}

}  // namespace
}  // namespace corvanet
