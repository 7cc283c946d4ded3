#pragma once
// What the main window shows of the device models: the list to pick a model
// from (in the New dialog and on the start page), a one-line summary of a
// model, and the start page shown while no project is open.

#include <QString>
#include <QTreeWidget>
#include <QWidget>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "fw/doctemplate.h"

class QBoxLayout;
class QPushButton;

namespace regsmith::host {

// "QK750: large package, 16 port pins (P0.0-P1.7), LIN interrupt".  Only the
// model's name when its template says nothing more.
QString ModelSummary(const fw::CDocTemplate& docTemplate);

// The models, one row each: model, package, port pins, LIN, device id.
class ModelPicker : public QTreeWidget {
public:
    // At least `rows` rows in sight.
    ModelPicker(const std::vector<std::unique_ptr<fw::CDocTemplate>>& templates, int rows, QWidget* parent = nullptr);
    // The chosen model, or null.
    const fw::CDocTemplate* Selected() const;
    // Selects the model named `model` ("QK750"); false if it is not listed.
    bool Select(const std::string& model);

private:
    std::vector<const fw::CDocTemplate*> templates_;
};

// A recent project as the start page lists it.
struct RecentProject {
    QString path;
    QString model;  // empty when not known
};

class StartPage : public QWidget {
public:
    explicit StartPage(const std::vector<std::unique_ptr<fw::CDocTemplate>>& templates, QWidget* parent = nullptr);

    // Lists the recent projects again (their files' dates read now).
    void SetRecent(const std::vector<RecentProject>& recent);

    ModelPicker* Models() const { return models_; }
    QPushButton* NewButton() const { return newButton_; }
    QPushButton* OpenButton() const { return openButton_; }
    QTreeWidget* Recent() const { return recent_; }

    std::function<void(const fw::CDocTemplate&)> onNew;
    std::function<void()> onOpen;
    std::function<void(const QString&)> onOpenRecent;

protected:
    // The two boxes side by side where there is room, else one above the other.
    void resizeEvent(QResizeEvent* event) override;

private:
    QBoxLayout* columns_ = nullptr;
    ModelPicker* models_ = nullptr;
    QPushButton* newButton_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QTreeWidget* recent_ = nullptr;
};

}  // namespace regsmith::host
