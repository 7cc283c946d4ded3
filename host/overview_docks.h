#pragma once
// The three overview docks of the main window: Pins (the ports' pins coloured
// by function), Clocks (the tree from the oscillators to every peripheral
// clock) and Problems (the configuration's problems), drawn with QPainter in
// the palette's colours from the active project's fw::ChipOverview, and the
// problem counts in the status bar.  A click on a pin or a clock, or a
// double-click on a problem, opens the sheet and page that set it.

#include <QDockWidget>
#include <QWidget>

#include <functional>
#include <vector>

#include "fw/overview.h"

class QLabel;
class QMainWindow;
class QMenu;

namespace fw {
class CDocument;
}

namespace regsmith::host {

// Opens a sheet on a page (the main window runs the sheet's command).
using OpenSheetPage = std::function<void(const fw::SheetPage&)>;

// The pins of P0 and P1 as rows of boxes, each coloured by its function,
// with a legend; tooltips give the details.
class PinMapWidget : public QWidget {
public:
    PinMapWidget(OpenSheetPage open, QWidget* parent = nullptr);
    void SetPins(std::vector<fw::PinInfo> pins);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    // The box of pin `index` (widget coordinates), for clicks and tests.
    QRect PinRect(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int Columns() const;
    int PinAt(const QPoint& point) const;
    std::vector<fw::PinInfo> pins_;
    OpenSheetPage open_;
};

// The clock tree: one box per clock (name and value), indented under its
// source and joined to it; boxes that do not run are greyed.
class ClockTreeWidget : public QWidget {
public:
    ClockTreeWidget(OpenSheetPage open, QWidget* parent = nullptr);
    void SetClocks(std::vector<fw::ClockInfo> clocks);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    // The box of the clock with that id, for clicks and tests (empty if none).
    QRect ClockRect(const std::string& id) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int ClockAt(const QPoint& point) const;
    QRect BoxRect(std::size_t line) const;
    std::vector<fw::ClockInfo> clocks_;
    std::vector<fw::ClockLine> order_;
    OpenSheetPage open_;
};

// The problems, one row each with its severity icon; a click selects, a
// double-click (or Enter) opens the sheet and page that fix it.
class ProblemListWidget : public QWidget {
public:
    ProblemListWidget(OpenSheetPage open, QWidget* parent = nullptr);
    void SetProblems(std::vector<fw::Problem> problems);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    QRect RowRect(int row) const;
    int Selected() const { return selected_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int RowHeight() const;
    std::vector<fw::Problem> problems_;
    int selected_ = -1;
    OpenSheetPage open_;
};

class OverviewDocks {
public:
    OverviewDocks(QMainWindow& window, OpenSheetPage open);

    // Computes the overview of `document` afresh and redraws the docks and
    // the status-bar counts; null (no project) empties them.
    void Refresh(const fw::CDocument* document);
    // Adds the docks' show/hide items to the end of `view` (the View menu).
    void AddToggles(QMenu& view) const;
    // Whether shown or hidden docks are remembered in the user's settings
    // (and restored now).
    void SetPersist(bool persist);

    const fw::ChipOverview& Overview() const { return overview_; }
    QDockWidget& PinsDock() const { return *pins_; }
    QDockWidget& ClocksDock() const { return *clocks_; }
    QDockWidget& ProblemsDock() const { return *problems_; }
    PinMapWidget& PinMap() const { return *pinMap_; }
    ClockTreeWidget& ClockTree() const { return *clockTree_; }
    ProblemListWidget& ProblemList() const { return *problemList_; }
    QLabel& Counts() const { return *counts_; }

private:
    QDockWidget* MakeDock(QMainWindow& window, const QString& title, const QString& name, QWidget* content,
                          bool scrolled);
    QMainWindow& window_;
    QDockWidget* pins_ = nullptr;
    QDockWidget* clocks_ = nullptr;
    QDockWidget* problems_ = nullptr;
    PinMapWidget* pinMap_ = nullptr;
    ClockTreeWidget* clockTree_ = nullptr;
    ProblemListWidget* problemList_ = nullptr;
    QLabel* counts_ = nullptr;
    fw::ChipOverview overview_;
    bool persist_ = false;
};

}  // namespace regsmith::host
