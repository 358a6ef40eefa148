#pragma once

#include <QString>
#include <QtTest>

// Prepares a test process before its application object exists: a private HOME and XDG
// folders in a temporary directory (no test touches the real home folder), QStandardPaths
// test mode, a fixed English locale and the Europe/Berlin time zone, which has DST changes;
// GSettings in memory.
namespace TestEnvironment {

void prepare();
// The public iCalendar test files kept in the checkout (tests/data/corpus, each source with
// its licence).
QString corpusDir();
// The checkout's own folder.
QString sourceDir();
// A local date-time in the test time zone.
QDateTime local(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
// Widget suites, once their application object exists: the application's own style, as the
// program installs it (WidgetTestEnvironment.cpp, linked into those suites only).
void prepareWidgets();

} // namespace TestEnvironment

#define VELMORAN_TEST_MAIN_IMPL(TestObject, AppClass, prepareApplication)                          \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        TestEnvironment::prepare();                                                                \
        AppClass app(argc, argv);                                                                  \
        prepareApplication;                                                                        \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

// Core suites: a GUI application object on the offscreen platform (colours and fonts need it).
#define VELMORAN_TEST_MAIN(TestObject) VELMORAN_TEST_MAIN_IMPL(TestObject, QGuiApplication, (void)0)
// Widget suites.
#define VELMORAN_WIDGET_TEST_MAIN(TestObject)                                                      \
    VELMORAN_TEST_MAIN_IMPL(TestObject, QApplication, TestEnvironment::prepareWidgets())
