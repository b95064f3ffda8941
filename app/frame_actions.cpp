#include "app/frame_actions.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>

#include "document/quorvel_document.h"
#include "scene/centigrade.h"

namespace {

struct CommandText {
    const char* label;   // menu text with its mnemonic
    const char* prompt;  // shown in the status bar while the command is hovered
    const char* tip;     // the tool tip of its toolbar button
    const char* icon;    // name in the icon resources, or nullptr
};

QAction* MakeAction(QObject* parent, const CommandText& text,
                    const QList<QKeySequence>& shortcuts = {}) {
    auto* action = new QAction(QString::fromUtf8(text.label), parent);
    action->setStatusTip(QString::fromUtf8(text.prompt));
    action->setToolTip(QString::fromUtf8(text.tip != nullptr ? text.tip : text.label));
    if (text.icon != nullptr) {
        action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(text.icon))));
    }
    action->setShortcuts(shortcuts);
    return action;
}

QAction* MakeCheckable(QObject* parent, const CommandText& text) {
    QAction* action = MakeAction(parent, text);
    action->setCheckable(true);
    return action;
}

}  // namespace

FrameActions CreateFrameActions(QObject* parent) {
    FrameActions a{};
    a.newDocument =
        MakeAction(parent, {"新規作成(&N)", "新規にファイルを作成", "新規ファイル", "new"},
                   {QKeySequence(Qt::CTRL | Qt::Key_N)});
    a.open = MakeAction(parent, {"開く...(&O)", "既存のファイルを開く", "開く", "open"},
                        {QKeySequence(Qt::CTRL | Qt::Key_O)});
    a.save =
        MakeAction(parent, {"上書き保存(&S)", "作業中のファイルを上書きして保存", "保存", "save"},
                   {QKeySequence(Qt::CTRL | Qt::Key_S)});
    a.saveAs = MakeAction(parent, {"名前を付けて保存(&A)...", "作業中のファイルを新しい名前で保存",
                                   "名前をつけて保存", nullptr});
    a.recentFilesPlaceholder =
        MakeAction(parent, {"最近使ったファイル", "指定のファイルを開く", nullptr, nullptr});
    a.recentFilesPlaceholder->setEnabled(false);
    a.exit =
        MakeAction(parent, {"アプリケーションの終了(&X)",
                            "アプリケーションを終了し、ファイルの保存を指示", "終了", nullptr});

    // The frame enables the edit commands when they can act.
    a.undo =
        MakeAction(parent, {"元に戻す(&U)", "直前に行った動作を元に戻す", "元に戻す", nullptr},
                   {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    a.redo = MakeAction(
        parent, {"やり直し(&R)", "元に戻した動作をやり直す", "やり直し", nullptr},
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    a.cut = MakeAction(
        parent, {"切り取り(&T)", "選択範囲を切り取ってクリップボードに保存", "切り取り", "cut"},
        {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    a.copy = MakeAction(
        parent, {"コピー(&C)", "選択範囲をコピーしてクリップボードに保存", "コピー", "copy"},
        {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    a.paste =
        MakeAction(parent, {"貼り付け(&P)", "クリップボードの内容を貼り付け", "貼り付け", "paste"},
                   {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    for (QAction* edit : {a.undo, a.redo, a.cut, a.copy, a.paste}) {
        edit->setEnabled(false);
    }
    a.undo->setObjectName(QStringLiteral("edit.undo"));
    a.redo->setObjectName(QStringLiteral("edit.redo"));
    a.cut->setObjectName(QStringLiteral("edit.cut"));
    a.copy->setObjectName(QStringLiteral("edit.copy"));
    a.paste->setObjectName(QStringLiteral("edit.paste"));
    a.saveAs->setObjectName(QStringLiteral("file.save_as"));

    a.statusBar = MakeCheckable(
        parent,
        {"ステータス バー(&S)", "ステータス バーの表示/非表示を切り替える", nullptr, nullptr});
    a.frameWholeScene = MakeAction(
        parent, {"全体を表示", "全てのオブジェクトが収まるように表示する", nullptr, nullptr},
        {QKeySequence(Qt::Key_Home)});

    a.removeRegistration =
        MakeAction(parent, {"レジストリの削除", "レジストリの削除", "レジストリ削除", nullptr});
    a.about = MakeAction(
        parent, {"バージョン情報 Quorvel(&A)...",
                 "プログラム情報、バージョン、著作権を表示します。", "バージョン情報", "about"});

    a.nextPane =
        MakeAction(parent, {"次のウィンドウ", "次のウィンドウに切り替える", nullptr, nullptr},
                   {QKeySequence(Qt::Key_F6)});
    a.previousPane =
        MakeAction(parent, {"前のウィンドウ", "前のウィンドウに切り替える", nullptr, nullptr},
                   {QKeySequence(Qt::SHIFT | Qt::Key_F6)});

    a.vertexSelectable =
        MakeCheckable(parent, {"頂点選択可", "頂点を選択可能に", "頂点選択可", "vertex"});
    a.edgeSelectable = MakeCheckable(parent, {"辺選択可", "辺を選択可能に", "辺選択可", "edge"});
    a.faceSelectable = MakeCheckable(parent, {"面選択可", "面を選択可能に", "面選択可", "face"});

    a.tools = {
        {MakeCheckable(parent, {"選択", "選択", "選択", "select"}), ToolSelect, PageSelect},
        {MakeCheckable(parent, {"範囲選択", "範囲選択", "範囲選択", "range"}), ToolRangeSelect,
         PageEmpty},
        {MakeCheckable(parent, {"平行移動", "選択部を平行移動する", "平行移動", "move"}), ToolMove,
         PageMove},
        {MakeCheckable(parent, {"回転", "選択部を回転する", "回転", "rotate"}), ToolRotate,
         PageRotate},
        {MakeCheckable(parent, {"スケーリング", "選択部を拡大・縮小する", "スケーリング", "scale"}),
         ToolScale, PageScale},
        {MakeCheckable(parent, {"材質塗り", "現在の材質で面を塗る", "材質塗り", "paint"}),
         ToolPaintMaterial, PageEmpty},
        {MakeCheckable(parent, {"面削除", "クリックした面を削除する", "面削除", "deleteface"}),
         ToolDeleteFace, PageEmpty},
    };
    return a;
}
