#pragma once
// The window's fields as the Calculate command writes them, with each write
// told to the calculation's trace first, so that whoever shows the field
// already knows whether its text is the running calculation's.
#include "ui/calculate_command.h"
#include "text/calculation_trace.h"

namespace corvanet {

class TracedFields final : public Fields {
public:
    TracedFields(Fields& fields, CalculationTrace& trace) : fields_(fields), trace_(trace) {}
    void SetText(std::string_view name, const std::string& text) override
    {
        trace_.BoxWritten(name);
        fields_.SetText(name, text);
    }

private:
    Fields& fields_;
    CalculationTrace& trace_;
};

}  // namespace corvanet
