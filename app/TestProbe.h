#pragma once

#include <QPointer>
#include <QString>

class QWidget;
class indMain;

// Lets an end-to-end test watch the program from outside. When the
// environment names a folder in QUILLON_TEST_PROBE, every change of the
// document's state writes "state" there (title, modified, file) and a
// picture of the main window as "main-window.png". Without the variable
// nothing is written.
class TestProbe
{
public:
    static constexpr const char *kVariable = "QUILLON_TEST_PROBE";

    TestProbe(QWidget &window, indMain &model);
    bool active() const { return !folder_.isEmpty(); }
    // Writes once the event loop is free again, so that a burst of changes
    // makes one picture of the settled window.
    void changed();

private:
    void write();

    QPointer<QWidget> window_;
    indMain &model_;
    QString folder_;
    bool pending_ = false;
};
