// The three columns of the main window and the property pane's pages: the
// fixed widths at start and after resizing, frames too small to re-lay out,
// and which page a request shows with which refresh.
#include <QSignalSpy>
#include <QSplitter>
#include <QStackedWidget>
#include <QtTest>

#include "app/gl_format.h"
#include "app/main_frame.h"
#include "app/quorvel_view.h"
#include "document/quorvel_document.h"
#include "private_home.h"
#include "scripted_prompts.h"
#include "shown_frame.h"
#include "view_test_support.h"

namespace {

// Counts the times a widget is shown.
class ShowCounter : public QObject {
public:
    int shows = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            ++shows;
        }
        return false;
    }
};

}  // namespace

class FrameLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void columnsAt1024By768() {
        ShownFrame shown;
        const FramePanes& panes = shown.frame.Panes();
        QCOMPARE(panes.propertyPane->width(), CMainFrame::kPropertyColumnWidth);
        QCOMPARE(panes.objectList->width(), CMainFrame::kListColumnWidth);
        const int handles = 2 * shown.frame.MainSplitter()->handleWidth();
        QCOMPARE(shown.frame.View()->width(), 1024 - 350 - handles);
        QCOMPARE(panes.displayBar->height(), kDisplayBarHeight);
        QCOMPARE(panes.displayBar->width(), shown.frame.View()->width());
        QCOMPARE(panes.objectList->height(), (768 - 50) / 2);
        QCOMPARE(shown.frame.CurrentPage(), int(PageEmpty));
        SaveArtifact(shown.frame.grab().toImage(), QStringLiteral("main_window_1024x768"));
    }

    void narrowFramesKeepTheirColumns() {
        ShownFrame shown;
        QSplitter* columns = shown.frame.MainSplitter();
        const int handles = 2 * columns->handleWidth();
        columns->setSizes({260, 1024 - 260 - 120 - handles, 120});
        shown.frame.resize(440, 768);
        QTRY_COMPARE(shown.frame.width(), 440);
        QCOMPARE(shown.frame.Panes().propertyPane->width(), 260);
        QCOMPARE(shown.frame.Panes().objectList->width(), 120);

        shown.frame.resize(1000, 700);
        QTRY_COMPARE(shown.frame.width(), 1000);
        QCOMPARE(shown.frame.Panes().propertyPane->width(), CMainFrame::kPropertyColumnWidth);
        QCOMPARE(shown.frame.Panes().objectList->width(), CMainFrame::kListColumnWidth);
        QCOMPARE(shown.frame.Panes().objectList->height(), (700 - 50) / 2);
    }

    void onlyTheBarBetweenTheListsDrags() {
        ShownFrame shown;
        QVERIFY(
            shown.frame.MainSplitter()->handle(1)->testAttribute(Qt::WA_TransparentForMouseEvents));
        QVERIFY(
            shown.frame.MainSplitter()->handle(2)->testAttribute(Qt::WA_TransparentForMouseEvents));
        QVERIFY(!shown.frame.ListSplitter()->handle(1)->testAttribute(
            Qt::WA_TransparentForMouseEvents));
    }

    void pageRequests_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<int>("shownPage");
        QTest::addColumn<int>("showsOnSecond");
        QTest::newRow("select twice re-shows") << 3 << 3 << 3 << 1;
        QTest::newRow("scale twice re-shows") << 6 << 6 << 6 << 1;
        QTest::newRow("empty twice only refreshes") << 0 << 0 << 0 << 0;
        QTest::newRow("object form") << 0 << 1 << 1 << 1;
        QTest::newRow("material form twice") << 2 << 2 << 2 << 0;
        QTest::newRow("unknown page keeps the page") << 4 << 9 << 4 << 0;
    }

    void pageRequests() {
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(int, shownPage);
        QFETCH(int, showsOnSecond);
        ShownFrame shown;
        shown.doc.RequestPropertyPage(first);
        ShowCounter counter;
        shown.frame.Panes().propertyPane->widget(shownPage)->installEventFilter(&counter);
        shown.doc.RequestPropertyPage(second);
        QCOMPARE(shown.frame.CurrentPage(), shownPage);
        QCOMPARE(counter.shows, showsOnSecond);
    }
};

QUORVEL_PRIVATE_HOME_TEST_MAIN(FrameLayoutTest)

#include "frame_layout_test.moc"
