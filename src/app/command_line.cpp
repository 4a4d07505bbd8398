#include "app/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "senkaro_version.h"

namespace {

constexpr int kUsageError = 2;

}  // namespace

std::optional<TCommandLineExit> ReadCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "千花路五十三次: a number-placement puzzle journey. The players' file senkaro.ini\n"
        "is kept in the folder the game is started from."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    // Without an application object the usage cannot name the program; it is always senkaro.
    const QString name = QStringLiteral("senkaro");
    const auto usage = [&] {
        QString text = parser.helpText();
        text.replace(QStringLiteral("<executable_name>"), name);
        return text;
    };

    if (!parser.parse(arguments))
        return TCommandLineExit{
            name + QStringLiteral(": ") + parser.errorText() + QStringLiteral("\n") + usage(),
            kUsageError};
    if (!parser.positionalArguments().isEmpty())
        return TCommandLineExit{name + QStringLiteral(": the game takes no arguments\n") + usage(),
                                kUsageError};
    if (parser.isSet(help)) return TCommandLineExit{usage(), 0};
    if (parser.isSet(version))
        return TCommandLineExit{name + QStringLiteral(" " SENKARO_VERSION "\n"), 0};
    return std::nullopt;
}
