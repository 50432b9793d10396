#pragma once

#include "sheets/cuiImageList.h"

#include <QMainWindow>

#include <memory>
#include <string>
#include <vector>

class MainWindowView;
class indMain;

// The main form. It is only a shell: its caption, font and placement come
// from the text database and the settings, and the model object, once
// attached, builds everything inside it. The form then processes the
// command-line switches.
class TForm1 : public QMainWindow
{
public:
    static constexpr int kMinimumWidth = 400;
    static constexpr int kMinimumHeight = 200;

    // `arguments` is the whole command line, the program path included.
    TForm1(indMain &model, const std::vector<std::string> &arguments);
    ~TForm1() override;
    TForm1(const TForm1 &) = delete;
    TForm1 &operator=(const TForm1 &) = delete;

    MainWindowView &View() { return *view_; }
    // Another start of the program, or this one's command line, asks for
    // the window and maybe a clone file: the window comes to the front and
    // the file opens, as Open would (a clone operation or an open dialog
    // keeps the document as it is).
    void BringForward(const std::string &path);
    // The pictures the tree's and the tool bar's descriptions name by number;
    // the sheets draw their marks with the tree's.
    const cuiImageList &TreeImages() const { return treeImages_; }
    const cuiImageList &ToolBarImages() const { return toolBarImages_; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void applyFormFont();
    void placeFromSettings();
    void attachModel(const std::vector<std::string> &arguments);

    indMain &model_;
    cuiImageList treeImages_;
    cuiImageList toolBarImages_;
    std::unique_ptr<MainWindowView> view_;
};
