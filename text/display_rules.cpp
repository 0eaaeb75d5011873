#include "text/display_rules.h"

#include "text/record_fields.h"

namespace corvanet {

const char* const kOrderNote = "A,B,C点的次序按自左向右顺序排列";

const char* ResultBoxName(ResultField field) { return kResultFieldRows[static_cast<std::size_t>(field)]->box; }

std::string ResultText(ResultField field, const SurveyRecord& record)
{
    return BoxText(*kResultFieldRows[static_cast<std::size_t>(field)], record);
}

}  // namespace corvanet
