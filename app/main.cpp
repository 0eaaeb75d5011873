#include <QApplication>
#include <QCommandLineParser>
#include <QTranslator>

#include "app/start_up.h"
#include "text/version.h"
#include "ui/main_window.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(CORVANET_VERSION));
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("固定角内插点计算。每次计算都记入作业文件。"));
    options.addHelpOption();
    options.addVersionOption();
    options.addPositionalArgument(QStringLiteral("作业"),
                                  QStringLiteral("作业文件（.cvjob），不存在时新建；省略时用上次的作业或默认作业"),
                                  QStringLiteral("[作业]"));
    options.process(app);
    QTranslator qtTexts;
    const QStringList named = options.positionalArguments();
    const auto window = corvanet::OpenMainWindow(qtTexts, named.value(0));
    window->show();
    return app.exec();
}
