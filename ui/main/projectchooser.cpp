#include "ui/main/projectchooser.h"

#include "core/version.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/main/mainwindowcontroller.h"
#include "ui/common/qttext.h"

namespace pw::ui {

ProjectChooser::ProjectChooser(ProjectChooserController& controller, QWidget* parent)
    : QDialog(parent), controller_(controller) {
    setWindowTitle(QString("Phrasewright - Open/Create project - v%1").arg(QString::fromUtf8(kProgramVersion.data(), kProgramVersion.size())));
    setObjectName("ProjectChooser");
    auto* h = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* logo = new QLabel("Phrasewright");
    QFont big = logo->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    logo->setFont(big);
    left->addWidget(logo);
    left->addWidget(new QLabel("Recently used projects:"));
    list_ = new QTreeWidget;
    list_->setObjectName("recent");
    list_->setHeaderLabels({"Project name", "Project path"});
    list_->setRootIsDecorated(false);
    list_->header()->resizeSection(0, 160);
    list_->setMinimumSize(520, 280);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    left->addWidget(list_);
    h->addLayout(left, 1);

    auto* buttons = new QVBoxLayout;
    auto add = [&](const char* text, const char* name, const char* tip) {
        auto* b = new QPushButton(text);
        b->setObjectName(name);
        b->setToolTip(tip);
        // Enter opens the selected project, never the first button.
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    QPushButton* newProject = add("New project", "newProject", "Click here to create a new project");
    QPushButton* open = add("Open project...", "openProject", "Click here to open an existing project");
    QPushButton* copy = add("Copy existing...", "copyExisting", "Click here to copy an existing project");
    delete_ = add("Delete project", "deleteProject", "Click here to delete an existing project");
    buttons->addStretch();
    QPushButton* exit = add("E&xit", "exit", "Click here to exit 'Phrasewright'");
    h->addLayout(buttons);

    connect(newProject, &QPushButton::clicked, this, [this] { finishIf(controller_.newProject()); });
    connect(open, &QPushButton::clicked, this, [this] { finishIf(controller_.openProject()); });
    connect(copy, &QPushButton::clicked, this, [this] { finishIf(controller_.copyExisting()); });
    connect(delete_, &QPushButton::clicked, this, [this] {
        controller_.deleteProject(selectedEntry());
        showEntries();
    });
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemClicked, this, [this] { finishIf(controller_.openEntry(selectedEntry())); });
    connect(list_, &QTreeWidget::itemActivated, this, [this] { finishIf(controller_.openEntry(selectedEntry())); });
    connect(list_, &QTreeWidget::itemSelectionChanged, this,
            [this] { delete_->setEnabled(!list_->selectedItems().isEmpty()); });
    connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QTreeWidgetItem* item = list_->itemAt(at);
        if (!item) return;
        list_->setCurrentItem(item);
        const int entry = list_->indexOfTopLevelItem(item);
        QMenu menu(this);
        menu.addAction(toQt(controller_.menuTitle(entry)))->setEnabled(false);
        menu.addSeparator();
        menu.addAction("&Open project", this, [this, entry] { finishIf(controller_.openEntry(entry)); });
        menu.addAction("&Copy to new project", this, [this, entry] { finishIf(controller_.copyToNewProject(entry)); });
        menu.addSeparator();
        menu.addAction("&Delete project", this, [this, entry] {
            controller_.deleteProject(entry);
            showEntries();
        });
        menu.exec(list_->viewport()->mapToGlobal(at));
    });
    showEntries();
}

void ProjectChooser::showEntries() {
    list_->clear();
    for (const ChooserEntry& e : controller_.entries())
        list_->addTopLevelItem(new QTreeWidgetItem({toQt(e.name), toQt(e.path)}));
    delete_->setEnabled(false);
}

int ProjectChooser::selectedEntry() const {
    QTreeWidgetItem* item = list_->currentItem();
    return item ? list_->indexOfTopLevelItem(item) : -1;
}

void ProjectChooser::finishIf(bool done) {
    if (done) accept();
    else showEntries();
}

}  // namespace pw::ui
