#include "app/AboutDialog.h"

#include "platform/SystemInfo.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

namespace zl {

const char* const kAboutHelpText =
    "An archaeological project of the Quendle.\r\n\r\n"
    "In this version the Header and Line Number options are for show only.\r\n"
    "They both will always print.\r\n\r\n"
    "You can drag files to the print window, if you want. Try to select only\r\n"
    "true ASCII files.\r\n\r\n"
    "Any printer or file error at any point will abort printing of\r\n"
    "the entire list.\r\n\r\n"
    "If you select an unsupported or phantom printer (like PDF Writer) then\r\n"
    "the results may surprise you (usually will output to previously\r\n"
    "selected real printer.)";

namespace {

QLabel* Line(const QString& text, QWidget* parent, const char* name) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// A link that opens `target` when clicked; if that fails it turns inert.
QLabel* Link(const QString& text, const QUrl& target, const AboutDialog& about, QWidget* parent,
             const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::RichText);
    label->setText("<a href=\"" + target.toString().toHtmlEscaped() + "\">" + text.toHtmlEscaped() +
                   "</a>");
    label->setCursor(Qt::PointingHandCursor);
    auto open = about.openLink ? about.openLink
                               : std::function<bool(const QUrl&)>(QDesktopServices::openUrl);
    QObject::connect(label, &QLabel::linkActivated, label, [label, open, target, text] {
        if (!open(target)) {
            label->setTextFormat(Qt::PlainText);
            label->setText(text);
            label->setEnabled(false);
            label->unsetCursor();
        }
    });
    return label;
}

QString MemoryLine() {
    const long long kib = AvailableMemoryKiB();
    return kib < 0 ? QString("Available memory: unknown")
                   : QString("Available memory: %L1 KB").arg(kib);
}

// The program's icon, 48 pixels square (the style's file icon when the
// program has none).
QLabel* IconLabel(QWidget* box) {
    auto* icon = new QLabel(box);
    icon->setObjectName("icon");
    QIcon appIcon = QApplication::windowIcon();
    if (appIcon.isNull())
        appIcon = box->style()->standardIcon(QStyle::SP_FileIcon);
    icon->setPixmap(appIcon.pixmap(48, 48));
    return icon;
}

// The name in large bold letters, version, description and copyright, then
// the links to the home page and the e-mail address where there are any.
QVBoxLayout* ProgramTexts(const AboutDialog& about, QWidget* box) {
    auto* texts = new QVBoxLayout;
    QLabel* name = Line(about.appName, box, "appName");
    QFont large = name->font();
    large.setBold(true);
    large.setPixelSize(20);
    name->setFont(large);
    texts->addWidget(name);
    texts->addWidget(Line(about.version, box, "version"));
    texts->addWidget(Line(about.description, box, "description"));
    texts->addWidget(Line(about.copyright, box, "copyright"));
    if (!about.homePage.isEmpty())
        texts->addWidget(Link(about.homePage, QUrl(about.homePage), about, box, "homePage"));
    if (!about.email.isEmpty()) {
        const QString& email = about.email;
        const QUrl mail = email.contains('@') ? QUrl("mailto:" + email) : QUrl(email);
        texts->addWidget(Link(email, mail, about, box, "email"));
    }
    return texts;
}

// Under a line, the machine's memory and processor.
void AddMachineLines(QVBoxLayout* column, QWidget* box) {
    auto* separator = new QFrame(box);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    column->addWidget(separator);
    column->addWidget(Line(MemoryLine(), box, "memory"));
    const QString processor = QString::fromStdString(ProcessorName());
    column->addWidget(Line("Processor: " + (processor.isEmpty() ? QString("unknown") : processor),
                           box, "processor"));
}

// "More Help" and "okButton" at the bottom right, in that order.
QHBoxLayout* Buttons(const AboutDialog& about, QDialog* box) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* more = new QPushButton(about.customButton, box);
    more->setObjectName("customButton");
    more->setAutoDefault(false);
    auto* ok = new QPushButton("OK", box);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    buttons->addWidget(more);
    buttons->addWidget(ok);
    QObject::connect(ok, &QPushButton::clicked, box, &QDialog::accept);
    auto custom = about.onCustomClick;
    QObject::connect(more, &QPushButton::clicked, box, [custom, box] {
        if (custom)
            custom(box);
    });
    return buttons;
}

} // namespace

std::unique_ptr<QDialog> AboutDialog::Build(QWidget* parent) const {
    auto box = std::make_unique<QDialog>(parent);
    box->setObjectName("aboutDialog");
    box->setWindowTitle(captionTitle);
    box->setModal(true);
    auto* column = new QVBoxLayout(box.get());
    column->setSizeConstraint(QLayout::SetFixedSize); // a fixed border
    auto* top = new QHBoxLayout;
    top->addWidget(IconLabel(box.get()), 0, Qt::AlignTop);
    top->addLayout(ProgramTexts(*this, box.get()));
    column->addLayout(top);
    AddMachineLines(column, box.get());
    column->addLayout(Buttons(*this, box.get()));
    return box;
}

void AboutDialog::Execute(QWidget* parent) const {
    std::unique_ptr<QDialog> box = Build(parent);
    if (run)
        run(*box);
    else
        box->exec();
}

} // namespace zl
