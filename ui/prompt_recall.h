#pragma once
// Recall in the prompts: the edit line starts empty, and the Up arrow fills
// in the line that the same prompt accepted in the previous calculation.
class QLineEdit;
class QString;

namespace corvanet {

// From now on, Up in `edit` replaces its text with `line`.
void RecallOnUp(QLineEdit* edit, const QString& line);

}  // namespace corvanet
