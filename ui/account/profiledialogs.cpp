#include "ui/account/profiledialogs.h"

#include <functional>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/account/accountwidgets.h"
#include "ui/common/qttext.h"

namespace pw::ui {

CDialogSelectGoogleAccount::CDialogSelectGoogleAccount(ProfileChooserController& controller, uint32_t background,
                                                       QWidget* parent)
    : QDialog(parent), controller_(controller) {
    setWindowTitle("Select Google profile");
    applyAccountSkin(this, background);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Set default profile:"));
    list_ = new QTreeWidget;
    list_->setObjectName("profiles");
    list_->setHeaderLabels({"Profile name", "Default"});
    list_->setColumnWidth(0, 175);
    list_->setColumnWidth(1, 50);
    list_->setRootIsDecorated(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    layout->addWidget(list_);
    auto* buttons = new QHBoxLayout;
    setDefault_ = accountButton("Set default", "Click here to set the default Google profile", "setDefault");
    auto* create = accountButton("Create", "Click here to create a new Google profile", "create");
    edit_ = accountButton("Edit", "Click here to edit the selected profile", "edit");
    rename_ = accountButton("Rename", "Click here to rename the selected profile", "rename");
    delete_ = accountButton("Delete", "Click here to delete the selected profile", "delete");
    auto* close = accountButton("Close", kCloseTooltip, "close");
    for (QPushButton* b : {setDefault_, create, edit_, rename_, delete_, close}) buttons->addWidget(b);
    layout->addLayout(buttons);

    connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QModelIndexList rows = list_->selectionModel()->selectedRows();
        controller_.selectRow(rows.isEmpty() ? -1 : rows.first().row());
        showButtons();
    });
    auto act = [this](std::function<void(ProfileChooserController&)> action) {
        return [this, action = std::move(action)] {
            action(controller_);
            showRows();
        };
    };
    connect(setDefault_, &QPushButton::clicked, this, act(&ProfileChooserController::setDefault));
    connect(create, &QPushButton::clicked, this, act(&ProfileChooserController::create));
    connect(edit_, &QPushButton::clicked, this, act(&ProfileChooserController::edit));
    connect(rename_, &QPushButton::clicked, this, act(&ProfileChooserController::rename));
    connect(delete_, &QPushButton::clicked, this, act(&ProfileChooserController::remove));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    controller_.fill();
    showRows();
}

void CDialogSelectGoogleAccount::showRows() {
    const int selected = controller_.selectedRow();
    QSignalBlocker quiet(list_);
    list_->clear();
    for (const ProfileRow& row : controller_.rows())
        list_->addTopLevelItem(new QTreeWidgetItem({toQt(row.name), row.isDefault ? "YES" : ""}));
    if (selected >= 0) list_->setCurrentItem(list_->topLevelItem(selected));
    showButtons();
}

void CDialogSelectGoogleAccount::showButtons() {
    const bool on = controller_.rowActionsEnabled();
    for (QPushButton* b : {setDefault_, edit_, delete_, rename_}) b->setEnabled(on);
}

CDialogEditGoogleAccount::CDialogEditGoogleAccount(ProfileEditorController& controller, uint32_t background,
                                                   QWidget* parent)
    : QDialog(parent), controller_(controller) {
    setWindowTitle("Manage Google profile");
    applyAccountSkin(this, background);
    ProfileForm& f = controller_.form();
    auto field = [this](const std::string& value, ProfileField limitOf, const char* objectName) {
        auto* edit = new QLineEdit(toQt(value), this);
        edit->setMaxLength(static_cast<int>(profileFieldLimit(limitOf)));
        edit->setObjectName(objectName);
        return edit;
    };
    name_ = field(f.name, ProfileField::Name, "name");
    email_ = field(f.email, ProfileField::Email, "email");
    password_ = field(f.password, ProfileField::Password, "password");
    password_->setEchoMode(QLineEdit::Password);
    client_ = field(f.clientEmail, ProfileField::ClientEmail, "client");
    token_ = field(f.token, ProfileField::Token, "token");
    useProxy_ = new QCheckBox("Use proxies");
    useProxy_->setChecked(f.useProxy);
    proxyType_ = new QComboBox;
    proxyType_->addItems({"HTTP", "HTTPS", "SOCKS"});
    proxyType_->setCurrentIndex(f.proxyType);
    address_ = field(f.proxyAddress, ProfileField::ProxyAddress, "proxyAddress");
    port_ = field(f.proxyPort, ProfileField::ProxyPort, "proxyPort");
    proxyUser_ = field(f.proxyUser, ProfileField::ProxyUser, "proxyUser");
    proxyPassword_ = field(f.proxyPassword, ProfileField::ProxyPassword, "proxyPassword");
    proxyPassword_->setEchoMode(QLineEdit::Password);

    auto* form = new QFormLayout;
    form->addRow("Profile name:", name_);
    form->addRow("Google manager account:", email_);
    form->addRow("Google manager password:", password_);
    form->addRow("Google client account:", client_);
    auto* tokenRow = new QHBoxLayout;
    tokenRow->addWidget(token_);
    auto* tokenButton = accountButton("Get token...", "Click here to get a Google token", "tokenPage");
    tokenRow->addWidget(tokenButton);
    form->addRow("Google token:", tokenRow);
    form->addRow(useProxy_);
    form->addRow("Proxy type:", proxyType_);
    form->addRow("Proxy address:", address_);
    form->addRow("Proxy port:", port_);
    form->addRow("Proxy user:", proxyUser_);
    form->addRow("Proxy password:", proxyPassword_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    auto* buttons = new QHBoxLayout;
    save_ = accountButton("Save", "Click here to save this Google profile and close the window", "save");
    auto* cancel = accountButton("Cancel", kCloseTooltip, "cancel");
    buttons->addStretch();
    buttons->addWidget(save_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    auto bind = [this](QLineEdit* edit, std::string ProfileForm::*member) {
        connect(edit, &QLineEdit::textChanged, this, [this, member](const QString& text) {
            controller_.form().*member = fromQt(text);
            showEnabled();
        });
    };
    bind(name_, &ProfileForm::name);
    bind(email_, &ProfileForm::email);
    bind(password_, &ProfileForm::password);
    bind(client_, &ProfileForm::clientEmail);
    bind(token_, &ProfileForm::token);
    bind(address_, &ProfileForm::proxyAddress);
    bind(port_, &ProfileForm::proxyPort);
    bind(proxyUser_, &ProfileForm::proxyUser);
    bind(proxyPassword_, &ProfileForm::proxyPassword);
    connect(proxyType_, &QComboBox::currentIndexChanged, this,
            [this](int index) { controller_.form().proxyType = index; });
    connect(useProxy_, &QCheckBox::toggled, this, [this](bool on) {
        controller_.form().useProxy = on;
        showEnabled();
        if (on) address_->setFocus();
    });
    connect(tokenButton, &QPushButton::clicked, this, [this] { controller_.openTokenPage(); });
    connect(save_, &QPushButton::clicked, this, &CDialogEditGoogleAccount::trySave);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    name_->setEnabled(controller_.nameEditable());
    (controller_.nameEditable() ? name_ : email_)->setFocus();
    showEnabled();
}

void CDialogEditGoogleAccount::showEnabled() {
    save_->setEnabled(controller_.saveEnabled());
    for (QWidget* w : std::initializer_list<QWidget*>{proxyType_, address_, port_, proxyUser_, proxyPassword_})
        w->setEnabled(controller_.proxyFieldsEnabled());
}

void CDialogEditGoogleAccount::trySave() {
    if (controller_.save()) {
        accept();
        return;
    }
    QLineEdit* fields[] = {name_, email_, password_, client_, token_, address_, port_, proxyUser_, proxyPassword_};
    QLineEdit* focus = fields[static_cast<int>(controller_.focusField())];
    if (focus->isEnabled()) {
        focus->setFocus();
        focus->selectAll();
    }
}

CDialogRenameProfile::CDialogRenameProfile(const std::string& name, uint32_t background, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Rename profile");
    applyAccountSkin(this, background);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Enter profile name:"));
    field_ = new QLineEdit(toQt(name));
    field_->setMaxLength(static_cast<int>(profileFieldLimit(ProfileField::Name)));
    layout->addWidget(field_);
    auto* buttons = new QHBoxLayout;
    auto* ok = accountButton("OK", "Click here to rename the current profile", "ok");
    auto* cancel = accountButton("Cancel", kCloseTooltip, "cancel");
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    auto showOk = [this, ok] { ok->setEnabled(renameAccepted(fromQt(field_->text()))); };
    connect(field_, &QLineEdit::textChanged, this, showOk);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    showOk();
}

std::string CDialogRenameProfile::name() const { return fromQt(field_->text()); }

}  // namespace pw::ui
