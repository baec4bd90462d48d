#pragma once

#include "dialogs/newpagedialog.h"
#include "editor/editorview.h"
#include "platform/graphicstypes.h"

#include <QHash>
#include <QMainWindow>
#include <QString>
#include <memory>

class QAction;
class QActionGroup;
class QLabel;
class QListView;
class QMenu;
class QPlainTextEdit;
class QScrollArea;
class QTabBar;

namespace sw {

class BackgroundCommands;
class CollapsibleGroup;
class Database;
class EditCommands;
class ExportCommands;
class FileCommands;
class RecentFiles;
class Recovery;
class PageSurface;
class RulerWidget;
class ShapePanel;
class PropertyPanel;
class TemplateCommands;
class EditingController;
class TVectorGraph;
class TVectorGraphics;
class ResolutionDialog;
class PageSetupDialog;

// The window's caption.
inline const QString MainWindowCaption = QStringLiteral("试卷制作");
// The rulers' thickness and the side of the "cm" corner, pixels.
constexpr int RulerThickness = 25;

struct MainWindowOptions
{
    // Of the screen; fixes the document's layout pixels.
    int pixelsPerInch = 96;
    // The database opened at start (openDatabase).
    QString databasePath;
    // Where the recovery saves go; empty for the user's data folder.
    QString recoveryFolder;
};

// "试卷制作", the designer's main window: one page at a time on a drawing
// surface between two rulers, the pages as tabs, the commands in a menu and
// two tool bars, and a side bar with the shape's coordinates, the operation
// history and the property panel. It owns the document and the editing
// controller and shows what the controller draws.
class MainWindow : public QMainWindow, public EditorView, public PageHost
{
    Q_OBJECT

public:
    explicit MainWindow(MainWindowOptions options, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Connects the database. False, after telling the user, when it cannot
    // be opened; the program then ends.
    bool openDatabase();
    // The first showing: creates the document, the controller and the first
    // page. Runs once; the first show() calls it.
    void start();

    TVectorGraphics& document() const { return *m_document; }
    EditingController& controller() const { return *m_controller; }
    Database& database() const { return *m_database; }
    int pixelsPerInch() const { return m_options.pixelsPerInch; }
    FileCommands& fileCommands() const { return *m_fileCommands; }
    ExportCommands& exportCommands() const { return *m_exportCommands; }
    RecentFiles& recentFiles() const { return *m_recentFiles; }
    Recovery& recovery() const { return *m_recovery; }
    EditCommands& editCommands() const { return *m_editCommands; }
    TemplateCommands& templateCommands() const { return *m_templateCommands; }
    NewPageDialog& paperDialog() const { return *m_paperDialog; }
    ResolutionDialog& resolutionDialog() const { return *m_resolutionDialog; }
    BackgroundCommands& backgroundCommands() const { return *m_backgroundCommands; }
    PageSetupDialog& pageDialog() const { return *m_pageDialog; }

    // The template file the document was opened from or last saved to;
    // empty for a new document. Shown in the window title.
    const QString& fileName() const { return m_fileName; }
    void setFileName(const QString& fileName);

    // Puts another panel into the group "图形参数" in place of the property
    // panel, which the window makes and wires itself. The window takes the
    // panel's widget as its child.
    void setShapePanel(ShapePanel* panel);
    PropertyPanel* propertyPanel() const { return m_propertyPanel; }
    // The command or tool action of the given object name, null if none.
    QAction* action(const QString& name) const;

    // Pages and tabs.

    QTabBar* tabBar() const { return m_tabs; }
    // Renumbers the pages and relabels every tab.
    void relabelTabs();
    // One tab per page, tab `index` selected, with the tab change run.
    void rebuildTabs(int index);
    // Selects the tab; the tab change runs when the index changes.
    void selectTab(int index);
    // Removes tab `index` and selects the tab now at that position (or the
    // previous one) with the tab change run.
    void removeTab(int index);
    // The page being edited, null when there is none.
    TVectorGraph* currentPage() const;
    // The current page drawn afresh on the surface.
    void repaintSurface();
    // Loads or empties the background picture for the current page (shown
    // in the overlay modes only).
    void loadBackgroundPicture();
    // Places the picture at the page's offsets, sized to the page's zoom.
    void placeBackgroundPicture();
    // Shows the background move buttons exactly in the overlay modes and
    // sets the lock button from the document.
    void syncDocumentButtons();
    // Puts the page at the scrolling area's top-left corner.
    void scrollToOrigin();
    // The scrolling area's content covers the surface and the picture.
    void updateContentSize();

    // Zoom of the current page: actual size, in, out, the whole page or its
    // width in the visible area. The status bar shows it in per cent.
    void zoomToActualSize();
    void zoomIn();
    void zoomOut();
    void zoomToFitPage();
    void zoomToFitWidth();
    QLabel* zoomLabel() const { return m_zoomLabel; }

    // The context menu while it shows (tests work it), null otherwise.
    QMenu* contextMenu() const { return m_contextMenu; }

    // Opens a template (command line, dropped file). A template that cannot
    // be read leaves the document as it was.
    bool openFile(const QString& path);

    // Widgets by role (tests and the plugged-in dialogs reach them here too).
    PageSurface* surface() const { return m_surface; }
    QLabel* backgroundImage() const { return m_image; }
    QScrollArea* scrollArea() const { return m_scroll; }
    QPlainTextEdit* textEditor() const { return m_memo; }
    QListView* historyView() const { return m_historyView; }

    // EditorView
    void loadPanel(TGraphics& shape) override;
    void applyPanel(TGraphics& shape, bool allSelectedOfKind) override;
    int panelCornerRadius() const override;
    QString panelOptionCharacters() const override;
    void showTextEditor(const TRect& area, const QStringList& lines) override;
    void hideTextEditor() override;
    TRect textEditorArea() const override;
    QStringList textEditorLines() const override;
    TFont textEditorFont() const override;
    void setTextEditorFont(const TFont& font) override;
    void showMessage(const QString& text) override;
    void showStatus(const QString& text) override;
    void setCursor(TCursor cursor) override;
    TPoint scrollPosition() const override;
    void setSurfaceSize(int width, int height) override;
    void surfaceChanged() override;
    int rulerThickness() const override;
    int horzRulerLength() const override;
    int vertRulerLength() const override;
    void rulersChanged() override;
    void showMousePosition(int x, int y) override;
    void showShapeBounds(const TRect& bounds) override;
    void clearShapeBounds() override;
    void toolReset() override;

    // PageHost
    QStringList pageCaptions() const override;
    int selectedPage() const override;
    bool addPage(int source, int position, QString* error) override;

signals:
    // The current page changed: another tab, or the pages were replaced.
    void currentPageChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void scheduleRepaint();
    // Builds the controls (mainwindowlayout.cpp).
    void createLayout();
    QAction* addCommand(const QString& name, const QString& hint, const QString& menuText,
                        const QString& themeIcon, const QString& ownIcon);
    void createCommands();
    void createTools();
    void createMenus();
    void createToolBars();
    QWidget* createCentre();
    QWidget* createSideBar();
    void createStatusBar();

    void showPageOfTab(int index);
    void markSelectedTab();
    void selectTool(int tool);
    void deleteSelection();
    void restoreHistoryRow();
    // Undo (back) and redo (forward) one history entry.
    void stepHistory(bool forward);
    void showRestored(bool restored, const QString& error);
    // The history's current row selected in its list, undo and redo enabled
    // as they can act, the title marked while there are unsaved changes.
    void historyChanged();
    void surfacePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void surfaceMoved(Qt::KeyboardModifiers modifiers, QPoint pos);
    void surfaceReleased(QPoint pos);
    void surfaceDoubleClicked();
    void zoomBy(double step);
    void zoomToFit(bool wholePage);
    void showContextMenu(QPoint pos);
    bool selectedShapeAt(QPoint pos) const;
    void setZoom(double scale);
    void showZoom();
    void updateTitle();
    void usePropertyPanel();
    void readOptionCharacterList();
    bool previewKey(QObject* watched, QKeyEvent* event);
    bool scrollByWheel(QWheelEvent* event);
    bool hasController() const { return m_controller != nullptr; }

    MainWindowOptions m_options;
    std::unique_ptr<Database> m_database;
    std::unique_ptr<TVectorGraphics> m_document;
    bool m_repaintPending = false;
    std::unique_ptr<EditingController> m_controller;
    std::unique_ptr<FileCommands> m_fileCommands;
    std::unique_ptr<ExportCommands> m_exportCommands;
    RecentFiles* m_recentFiles = nullptr;
    Recovery* m_recovery = nullptr;
    std::unique_ptr<EditCommands> m_editCommands;
    std::unique_ptr<BackgroundCommands> m_backgroundCommands;
    std::unique_ptr<TemplateCommands> m_templateCommands;
    NewPageDialog* m_paperDialog = nullptr;
    ResolutionDialog* m_resolutionDialog = nullptr;
    PageSetupDialog* m_pageDialog = nullptr;
    PropertyPanel* m_propertyPanel = nullptr;
    ShapePanel* m_panel = nullptr;
    QString m_fileName;
    TFont m_editorFont;
    bool m_started = false;
    bool m_changingTabs = false;

    QHash<QString, QAction*> m_actions;
    QActionGroup* m_tools = nullptr;
    QTabBar* m_tabs = nullptr;
    RulerWidget* m_hRuler = nullptr;
    RulerWidget* m_vRuler = nullptr;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_content = nullptr;
    QLabel* m_image = nullptr;
    QLabel* m_zoomLabel = nullptr;
    QMenu* m_contextMenu = nullptr;
    PageSurface* m_surface = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    QListView* m_historyView = nullptr;
    QWidget* m_panelArea = nullptr;
    QLabel* m_boundLabels[4] = {};
    QLabel* m_mouseLabel = nullptr;
    QLabel* m_statusPanels[4] = {};
};

} // namespace sw
