#pragma once
// The window's single-line fields as the Calculate command writes them.
#include <string>
#include <string_view>

namespace corvanet {

// Written by name ("Text1" … "Text26"). Nothing reads them back: the record
// holds the values.
class Fields {
public:
    virtual ~Fields() = default;
    virtual void SetText(std::string_view name, const std::string& text) = 0;
};

}  // namespace corvanet
