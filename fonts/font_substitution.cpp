#include "fonts/font_substitution.h"

#include <QFont>

namespace corvanet {

QStringList InstalledFamilies(std::string_view namedFace)
{
    if (namedFace == "宋体")
        return {QStringLiteral("AR PL UMing CN")};
    return {QStringLiteral("Liberation Sans"), QStringLiteral("AR PL UMing CN")};
}

void InstallFontSubstitutions()
{
    // AR PL UMing is a Song face whose average character is half-width, like
    // the Windows Song face, so tab columns in the report keep their width.
    QFont::insertSubstitutions(QStringLiteral("宋体"),
                               {QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC")});
    for (const char* face : {"MS Sans Serif", "Microsoft Sans Serif"})
        QFont::insertSubstitutions(QString::fromLatin1(face),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"),
                                    QStringLiteral("AR PL UMing CN")});
}

}  // namespace corvanet
