#pragma once

#include "sheets/FakeCellHandler.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"
#include "support/TestPaths.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// A sheet of the windows fixture with one cell (Flex1, index 0), or another
// sheet of the main text database, in a window; Enter on it runs `openWindow` with the handler's
// capsule, as the main window does for a codec that asks for a window. The fake handler records
// what reaches the cell.
class CellWindowFixture : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        mainTextDatabase().Open(testing_support::fixtureDir() + "windows/windows.ovl");
    }

    explicit CellWindowFixture(std::string hostKey = "GI_Sheet_Host") : hostKey_(std::move(hostKey))
    {
        host_.resize(500, 300);
        host_.show();
        openHost();
        handler.onAction = [this](cmcCellCapsule &capsule) {
            if (capsule.inputMode == cmcCellCapsule::kInputKey &&
                capsule.code == cmcCellCapsule::kCodeEnter && openWindow) {
                openWindow(capsule);
                return static_cast<int>(kHandlerRedraw);
            }
            return 0;
        };
        QApplication::processEvents();
    }
    ~CellWindowFixture() override
    {
        host.reset();
        settle();
    }

    void openHost()
    {
        host = std::make_unique<cuiSheet>(&host_, nullptr, 0, 0, mainTextDatabase(), hostKey_);
        host->SetHandler(&FakeCellHandler::Handle, nullptr);
        host->Show();
    }
    // Enter on the host's cell.
    void enterOnHost()
    {
        cuiGrid &grid = *host->Grid();
        grid.setFocus();
        press(grid, Qt::Key_Return, "\r");
    }
    static void press(QWidget &target, int key, const QString &text = {})
    {
        QKeyEvent down(QEvent::KeyPress, key, {}, text);
        QApplication::sendEvent(&target, &down);
    }
    static void mouse(cuiGrid &grid, QEvent::Type type, QPoint pos)
    {
        QMouseEvent event(type, pos, grid.viewport()->mapToGlobal(pos), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
        QApplication::sendEvent(grid.viewport(), &event);
    }
    // A click that makes the cell current, then a double click on it.
    static void doubleClick(cuiGrid &grid, QPoint pos)
    {
        mouse(grid, QEvent::MouseButtonPress, pos);
        mouse(grid, QEvent::MouseButtonRelease, pos);
        mouse(grid, QEvent::MouseButtonDblClick, pos);
        mouse(grid, QEvent::MouseButtonRelease, pos);
    }
    static void deactivate(QWidget &window)
    {
        QEvent event(QEvent::WindowDeactivate);
        QApplication::sendEvent(&window, &event);
    }
    // Windows that released themselves go.
    static void settle() { QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // The window `window` points at; a test that reaches for a closed one
    // fails.
    template <class Window>
    static Window &shownOf(const QPointer<Window> &window)
    {
        Window *open = window.data();
        if (open == nullptr)
            throw std::logic_error("the window is not open");
        return *open;
    }

    // What the windows answered the host's cell.
    std::vector<FakeCellHandler::Call> answers() const
    {
        std::vector<FakeCellHandler::Call> found;
        for (const FakeCellHandler::Call &call : handler.actions) {
            if (call.inputMode == cmcCellCapsule::kInputChosen)
                found.push_back(call);
        }
        return found;
    }

    const std::string hostKey_;
    testing_support::ScopedSettingsSandbox sandbox;
    FakeCellHandler handler;
    std::function<void(const cmcCellCapsule &)> openWindow;
    QWidget host_;
    std::unique_ptr<cuiSheet> host;
};
