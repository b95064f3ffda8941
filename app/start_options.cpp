#include "app/start_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kUsageError = 2;

// One set of options for the parser and the help text, so they never disagree.
struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("このヘルプを表示して終了します")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("バージョンを表示して終了します")};
    QCommandLineOption screenshot{
        QStringLiteral("screenshot"),
        QStringLiteral("ウィンドウを一度描画して PNG に保存し、終了します"), QStringLiteral("PNG")};
    QCommandLineOption autosaveInterval{
        QStringLiteral("autosave-interval"),
        QStringLiteral("この実行での自動保存の間隔 (秒、0 で自動保存しません)"),
        QStringLiteral("秒")};

    QList<QCommandLineOption> All() const { return {help, version, screenshot, autosaveInterval}; }
};

const QString kFileArgument = QStringLiteral("ファイル");
const QString kFileDescription = QStringLiteral("開くドキュメント");

// Columns a terminal gives `text`: two for each wide (CJK) character.
int TerminalWidth(const QString& text) {
    int width = 0;
    for (const QChar c : text) {
        width += c.unicode() >= 0x1100 ? 2 : 1;
    }
    return width;
}

QString HelpRow(const QString& left, const QString& description) {
    constexpr int kDescriptionColumn = 32;
    const QString row = QStringLiteral("  ") + left;
    const int padding = std::max(kDescriptionColumn - TerminalWidth(row), 2);
    return row + QString(padding, u' ') + description + u'\n';
}

QString HelpText(const Options& options) {
    QString text = QStringLiteral(
                       "使い方: quorvel [オプション] [%1]\n"
                       "ポリゴンモデラー「Quorvel」を開きます。%1 (.qvl .mqo .mqoz .obj) "
                       "を指定すると、それを開きます。\n\nオプション:\n")
                       .arg(kFileArgument);
    for (const QCommandLineOption& option : options.All()) {
        QStringList names;
        for (const QString& name : option.names()) {
            names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        }
        QString left = names.join(QStringLiteral(", "));
        if (!option.valueName().isEmpty()) {
            left += QStringLiteral(" <%1>").arg(option.valueName());
        }
        text += HelpRow(left, option.description());
    }
    text += QStringLiteral("\n引数:\n") + HelpRow(kFileArgument, kFileDescription);
    return text;
}

void Print(std::FILE* stream, const QString& text) {
    std::fputs(text.toUtf8().constData(), stream);
}

void Prepare(QCommandLineParser& parser, const Options& options) {
    parser.addOptions(options.All());
    parser.addPositionalArgument(kFileArgument, kFileDescription);
}

}  // namespace

std::optional<int> AnswerWithoutDisplay(int argc, char** argv) {
    QCoreApplication core(argc, argv);
    const Options options;
    QCommandLineParser parser;
    Prepare(parser, options);
    // The window system's own options are unknown here; they are no error yet.
    parser.parse(QCoreApplication::arguments());
    if (parser.isSet(options.help)) {
        Print(stdout, HelpText(options));
        return 0;
    }
    if (parser.isSet(options.version)) {
        Print(stdout, QStringLiteral("Quorvel %1\n").arg(QStringLiteral(QUORVEL_VERSION)));
        return 0;
    }
    return std::nullopt;
}

std::variant<StartOptions, int> ReadStartOptions(const QStringList& arguments) {
    const Options options;
    QCommandLineParser parser;
    Prepare(parser, options);
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        const QString error =
            unknown.isEmpty() ? parser.errorText()
                              : QStringLiteral("不明なオプションです: %1").arg(unknown.join(u' '));
        Print(stderr,
              QStringLiteral("quorvel: %1\n「quorvel --help」で使い方を表示します。\n").arg(error));
        return kUsageError;
    }
    StartOptions start;
    if (!parser.positionalArguments().isEmpty()) {
        start.file = parser.positionalArguments().first();
    }
    start.screenshot = parser.value(options.screenshot);
    bool valid = false;
    const int seconds = parser.value(options.autosaveInterval).toInt(&valid);
    if (valid && seconds >= 0) {
        start.autosaveSeconds = seconds;
    }
    return start;
}
