#pragma once

#include "app/qt_host.h"
#include "app/view_widget.h"
#include "editor/commands/menus.h"
#include "editor/editor.h"

#include <QMainWindow>
#include <QPrinter>

class QLabel;
class QMenu;
class QToolBar;

namespace fcw {

class PalettePanel;

class MainWindow : public QMainWindow {
  public:
    MainWindow(Editor& editor, QtHost& host);
    ViewWidget* view() { return view_; }
    QToolBar* toolbar() { return toolbar_; }
    // The palette panel, docked at the right and hidden until shown from menu 表示.
    PalettePanel* palettePanel() { return palettePanel_; }
    // "name[*] - FacetCraftwerk", the mark shown while the document has unsaved changes.
    void updateTitle();
    // Where the window's size, position and maximised state are kept between runs (empty:
    // nowhere); restorePlacement puts the window there, or fits it to its screen.
    void setStateFile(const QString& path) { stateFile_ = path; }
    void restorePlacement();
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
    // Files dropped on the window: the first local one is opened or imported.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

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
    PalettePanel* palettePanel_ = nullptr;
    QLabel* indicators_[4] = {};
    QPrinter printer_;
    QString stateFile_;
};

// The program's picture (a faceted gem) at `size` pixels square, for the window and the about box.
QPixmap applicationPicture(int size);

// Where the program keeps its files: the settings profile under the user's configuration
// folder, the work file beside the program (or in the user's data folder when the program's
// folder is not writable).
EditorPaths defaultPaths();

} // namespace fcw
