#pragma once
// A known point as the 添加 and 编辑 dialog holds it: five texts, read into a
// point with the prompts' number rule, or what is wrong with them in words
// the dialog shows.
#include <QString>
#include <variant>

#include "store/known_points.h"

namespace corvanet {

struct PointTexts {
    QString name, x, y, h, code;
    bool operator==(const PointTexts&) const = default;
};

// The texts a point starts the dialog with: its numbers as the shortest
// text that reads back the same, so an edit that does not touch them keeps
// them exactly.
PointTexts TextsOf(const KnownPoint& point);

// The point the texts describe (the name and the code without surrounding
// blanks, no H for an empty text), or what is wrong: an empty name, one too
// long, a control character, a number that does not read.
std::variant<KnownPoint, QString> ReadPointTexts(const PointTexts& texts);

// The source an edited point keeps: its own while its coordinates and
// height stay the same, "entered" once they are typed anew.
QString EditedSource(const KnownPoint& before, const KnownPoint& after);

// What the dialog says of a name another point has.
QString NameTakenText(const QString& name);

}  // namespace corvanet
