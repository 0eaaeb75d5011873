#pragma once
// The known points the entry may pick by name: the job's, behind a small
// interface so that the entry neither knows the job nor waits on it.
#include <optional>
#include <string>
#include <vector>

namespace corvanet {

class KnownPointBook {
public:
    struct Point {
        std::string name;
        double x = 0.0;
        double y = 0.0;
    };
    virtual ~KnownPointBook() = default;
    virtual std::optional<Point> Find(const std::string& name) const = 0;
    // The names to offer as a name is typed.
    virtual std::vector<std::string> Names() const = 0;
};

}  // namespace corvanet
