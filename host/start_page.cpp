#include "host/start_page.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "host/text.h"

namespace regsmith::host {

namespace {

QString Attribute(const fw::CDocTemplate& docTemplate, const char* key) {
    return Q(docTemplate.GetAttribute(key));
}

QString ModelName(const fw::CDocTemplate& docTemplate) {
    return Q(docTemplate.GetDocString(fw::CDocTemplate::fileNewName));
}

}  // namespace

QString ModelSummary(const fw::CDocTemplate& docTemplate) {
    const QString package = Attribute(docTemplate, "package");
    const QString pins = Attribute(docTemplate, "portPins");
    if (package.isEmpty() || pins.isEmpty()) return ModelName(docTemplate);
    QString summary = QString("%1: %2 package, %3 port pins").arg(ModelName(docTemplate), package, pins);
    const QString range = Attribute(docTemplate, "portPinRange");
    if (!range.isEmpty()) summary += " (" + range + ")";
    const QString lin = Attribute(docTemplate, "lin");
    if (lin == "yes") summary += ", LIN interrupt";
    if (lin == "no") summary += ", no LIN interrupt";
    return summary;
}

ModelPicker::ModelPicker(const std::vector<std::unique_ptr<fw::CDocTemplate>>& templates, int rows,
                         QWidget* parent)
    : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setAllColumnsShowFocus(true);
    setUniformRowHeights(true);
    setHeaderLabels({"Model", "Package", "Port pins", "LIN", "Device id"});
    setAccessibleName("Device model");
    for (const auto& docTemplate : templates) {
        templates_.push_back(docTemplate.get());
        const QString range = Attribute(*docTemplate, "portPinRange");
        const QString pins = Attribute(*docTemplate, "portPins");
        auto* item = new QTreeWidgetItem(this);
        item->setText(0, ModelName(*docTemplate));
        item->setText(1, Attribute(*docTemplate, "package"));
        item->setText(2, range.isEmpty() ? pins : pins + " (" + range + ")");
        item->setText(3, Attribute(*docTemplate, "lin"));
        item->setText(4, Attribute(*docTemplate, "deviceId"));
        item->setToolTip(0, ModelSummary(*docTemplate));
    }
    int width = 2 * frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int column = 0; column < columnCount(); ++column) {
        resizeColumnToContents(column);
        width += columnWidth(column);
    }
    setMinimumWidth(width);
    if (topLevelItemCount() > 0) setCurrentItem(topLevelItem(0));
    const int shown = std::min(topLevelItemCount(), rows);
    setMinimumHeight(header()->sizeHint().height() + shown * (fontMetrics().height() + 6) + 2 * frameWidth());
}

const fw::CDocTemplate* ModelPicker::Selected() const {
    const int row = indexOfTopLevelItem(currentItem());
    return row >= 0 && row < static_cast<int>(templates_.size()) ? templates_[static_cast<std::size_t>(row)]
                                                                 : nullptr;
}

bool ModelPicker::Select(const std::string& model) {
    for (std::size_t i = 0; i < templates_.size(); ++i)
        if (templates_[i]->GetDocString(fw::CDocTemplate::fileNewName) == model) {
            setCurrentItem(topLevelItem(static_cast<int>(i)));
            return true;
        }
    return false;
}

StartPage::StartPage(const std::vector<std::unique_ptr<fw::CDocTemplate>>& templates, QWidget* parent)
    : QWidget(parent) {
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    auto* title = new QLabel("<h2>Regsmith</h2>");
    title->setTextFormat(Qt::RichText);
    layout->addWidget(title);
    layout->addWidget(new QLabel("Pick a model to start a new project, or open one you have. F1 shows the user guide."));

    auto* columns = new QBoxLayout(QBoxLayout::LeftToRight);
    columns_ = columns;
    auto* newBox = new QGroupBox("New project");
    auto* newLayout = new QVBoxLayout(newBox);
    auto* modelLabel = new QLabel("&Model:");
    models_ = new ModelPicker(templates, 6);
    modelLabel->setBuddy(models_);
    newLayout->addWidget(modelLabel);
    newLayout->addWidget(models_, 2);
    auto* buttons = new QHBoxLayout;
    newButton_ = new QPushButton("&New Project");
    newButton_->setEnabled(!templates.empty());
    openButton_ = new QPushButton("&Open Project...");
    buttons->addWidget(newButton_);
    buttons->addWidget(openButton_);
    buttons->addStretch();
    newLayout->addLayout(buttons);
    columns->addWidget(newBox);

    auto* recentBox = new QGroupBox("Recent projects");
    auto* recentLayout = new QVBoxLayout(recentBox);
    recent_ = new QTreeWidget;
    recent_->setRootIsDecorated(false);
    recent_->setAllColumnsShowFocus(true);
    recent_->setHeaderLabels({"Project", "Model", "Modified", "Folder"});
    recent_->setAccessibleName("Recent projects");
    auto* recentLabel = new QLabel("&Recent projects (Enter opens):");
    recentLabel->setBuddy(recent_);
    recentLayout->addWidget(recentLabel);
    recentLayout->addWidget(recent_, 1);
    columns->addWidget(recentBox, 1);
    recentBox->setMinimumWidth(fontMetrics().horizontalAdvance("board-name.rsg QK750 2026-12-31 23:59 ~/projects"));
    layout->addLayout(columns, 1);

    auto create = [this] {
        if (const fw::CDocTemplate* model = models_->Selected(); model && onNew) onNew(*model);
    };
    connect(newButton_, &QPushButton::clicked, this, create);
    connect(models_, &QTreeWidget::itemActivated, this, create);
    connect(openButton_, &QPushButton::clicked, this, [this] {
        if (onOpen) onOpen();
    });
    connect(recent_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        if (item && !item->isDisabled() && onOpenRecent) onOpenRecent(item->data(0, Qt::UserRole).toString());
    });
}

void StartPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The boxes' least widths, the gaps between them and the page's margins.
    const QMargins margins = layout()->contentsMargins();
    int sideBySide = margins.left() + margins.right() + columns_->spacing();
    for (int i = 0; i < columns_->count(); ++i)
        if (QWidget* box = columns_->itemAt(i)->widget()) sideBySide += box->minimumSizeHint().width() + 24;
    // In a scroll area the room is the area's, not this page's own width.
    const int room = parentWidget() ? std::min(width(), parentWidget()->width()) : width();
    const auto direction = room >= sideBySide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
    if (columns_->direction() != direction) columns_->setDirection(direction);
}

void StartPage::SetRecent(const std::vector<RecentProject>& recent) {
    recent_->clear();
    for (const RecentProject& project : recent) {
        const QFileInfo file(project.path);
        auto* item = new QTreeWidgetItem(recent_);
        item->setText(0, file.fileName());
        item->setText(1, project.model.isEmpty() ? QString("?") : project.model);
        item->setText(2, file.isFile() ? file.lastModified().toString("yyyy-MM-dd hh:mm") : QString("missing"));
        item->setText(3, QDir::toNativeSeparators(file.absolutePath()));
        item->setData(0, Qt::UserRole, project.path);
        item->setToolTip(0, project.path);
        // A file that is no longer there cannot be opened.
        item->setDisabled(!file.isFile());
    }
    for (int column = 0; column < recent_->columnCount(); ++column) recent_->resizeColumnToContents(column);
    if (recent_->topLevelItemCount() > 0) recent_->setCurrentItem(recent_->topLevelItem(0));
    if (recent_->topLevelItemCount() == 0) {
        auto* none = new QTreeWidgetItem(recent_);
        none->setText(0, "No recent projects");
        none->setDisabled(true);
        none->setFirstColumnSpanned(true);
    }
}

}  // namespace regsmith::host
