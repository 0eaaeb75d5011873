#include "cli/window_texts.h"

#include "cli/figure_calculation.h"
#include "text/display_rules.h"
#include "text/entry_inputs.h"

namespace corvanet {

TextedCalculation CalculateWithTexts(SurveyRecord& r)
{
    TextedCalculation out;
    auto& t = out.texts;
    t["Text26"] = kOrderNote;
    for (const EntryInput& input : EntryInputs())
        t[input.box] = EchoText(input, r);
    BoxTextSink sink([&t](const char* box, const std::string& text) { t[box] = text; });
    out.outcome = CalculateFigure(r, sink);
    out.failure = out.outcome.failure;
    return out;
}

}  // namespace corvanet
