#pragma once
// Screenshots for a person to look at. Written only when the environment
// names a folder for them (CORVANET_SCREENSHOTS=DIR), so that an ordinary
// test run leaves nothing behind.
#include <QDir>
#include <QImage>
#include <QString>
#include <iostream>

namespace corvanet::testing {

inline void KeepScreenshot(const QImage& image, const char* name)
{
    const QString folder = qEnvironmentVariable("CORVANET_SCREENSHOTS");
    if (folder.isEmpty() || !QDir().mkpath(folder)) return;
    const QString path = QDir(folder).filePath(QString::fromLatin1(name));
    if (image.save(path)) std::cout << "screenshot: " << path.toStdString() << "\n";
}

}  // namespace corvanet::testing
