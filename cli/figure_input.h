#pragma once
// The ten answers of one figure, as the prompts would take them, read from
// lines of text: Xa, Ya, Xb, Yb, Xc, Yc, point name, S1, S2, S3.
#include <istream>
#include <string>
#include <variant>

#include "engine/survey_record.h"

namespace corvanet {

struct InputError {
    int line;  // 1-based
    std::string message;
};

// A fresh record with the inputs stored and S1obs..S3obs taken, or what is
// wrong with the input.
std::variant<SurveyRecord, InputError> ReadFigure(std::istream& in);

// The same from ten fields already split (the point name as the 7th).
std::variant<SurveyRecord, InputError> FigureFromFields(const std::string (&fields)[10], int firstLine = 1);

}  // namespace corvanet
