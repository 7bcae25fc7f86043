#pragma once

#include "editor/editor.h"
#include "editor/host.h"
#include "editor/menus.h"

#include <QImage>
#include <QMainWindow>
#include <QPrinter>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QMenu;
class QToolBar;

namespace fcw {

class MainWindow;

// The view: shows the painted scene and turns mouse, wheel, key and resize events into the
// editor's handlers.
class ViewWidget : public QWidget {
  public:
    ViewWidget(Editor& editor, QWidget* parent);
    // Paints the scene now into the back buffer and shows it.
    void paintNow();
    // Runs the frame step and paints the scene at the client size (at least 1 x 1).
    static QImage paintScenePicture(Editor& editor);
    QImage& backBuffer() { return image_; }
    // Called after every mouse, wheel and key event has been handled.
    void setAfterInput(std::function<void()> afterInput) { afterInput_ = std::move(afterInput); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void inputHandled();

    Editor& editor_;
    QImage image_;
    std::function<void()> afterInput_;
};

// The platform for the editing logic, with Qt widgets.
class QtHost : public Host {
  public:
    void attach(MainWindow* window, ViewWidget* view) {
        window_ = window;
        view_ = view;
    }
    void repaint() override;
    void beep() override;
    MessageResult messageBox(const std::string& text, MessageButtons buttons,
                             MessageIcon icon) override;
    bool runDialog(Dialog& dialog) override;
    bool runPropertySheet(PropertySheet& sheet) override;
    int popupMenu(int menuId, PixelPoint clientPoint) override;
    std::optional<FileChoice> chooseOpenFile(const FileDialogRequest& request) override;
    std::optional<FileChoice> chooseSaveFile(const FileDialogRequest& request) override;
    void setPointerPosition(PixelPoint clientPoint) override;
    bool isShiftDown() const override;
    void setMouseCapture(bool) override {}
    void showProgressText(const std::string& text, PixelPoint at) override;
    void documentStateChanged() override;
    void quitApplication() override;
    bool isToolbarVisible() const override;
    void toggleToolbar() override;
    void pageSetup() override;
    void print() override;
    bool showHelp(const std::string& path) override;

  private:
    MainWindow* window_ = nullptr;
    ViewWidget* view_ = nullptr;
};

class MainWindow : public QMainWindow {
  public:
    MainWindow(Editor& editor, QtHost& host);
    ViewWidget* view() { return view_; }
    QToolBar* toolbar() { return toolbar_; }
    void updateTitle();
    // Runs a command as its menu item, toolbar button or accelerator would.
    void runCommand(int id);
    // Puts the toolbar's check marks and greyed buttons in line with the editor.
    void refreshCommandStates();
    // The about box (dialog 100).
    void showAbout();
    // Builds a menu from its data, with live check and enable states.
    void fillMenu(QMenu* menu, const MenuItem& item);
    // The printer set-up dialog; printing the view's picture after the print dialog.
    void pageSetup();
    void print();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    void buildToolbar();
    void addAccelerators();
    void addCommandAction(QMenu* menu, int id);
    void updateIndicators();

    Editor& editor_;
    QtHost& host_;
    ViewWidget* view_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QLabel* indicators_[4] = {};
    QPrinter printer_;
};

// The program's picture (a faceted gem) at `size` pixels square, for the window and the about box.
QPixmap applicationPicture(int size);

// Where the program keeps its files: the settings profile under the user's configuration
// folder, the work file beside the program (or in the user's data folder when the program's
// folder is not writable).
EditorPaths defaultPaths();

} // namespace fcw
