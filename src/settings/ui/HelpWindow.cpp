#include "settings/ui/HelpWindow.h"

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTreeWidget>

#include "platform/FileNames.h"
#include "platform/SafeFile.h"
#include "platform/TextBytes.h"
#include "settings/HelpText.h"

namespace {

constexpr int DeepestTopic = 3;
constexpr int TopicPosition = Qt::UserRole;

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("help");
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(720, 480);

    auto* splitter = new QSplitter(this);
    topics_ = new QTreeWidget(splitter);
    topics_->setObjectName("topics");
    topics_->setHeaderLabel("Topics");
    text_ = new QTextBrowser(splitter);
    text_->setObjectName("text");
    text_->setOpenExternalLinks(true);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 520});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    connect(topics_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { jumpToTopic(item); });
}

void HelpWindow::showTopics(const QString& path) {
    load(path);
    show();
    raise();
    activateWindow();
    topics_->setFocus();
}

void HelpWindow::load(const QString& named) {
    // Help files come from a system whose names ignore case.
    const QString path = tz::resolveNameCase(named);
    path_ = path;
    setWindowTitle(QFileInfo(path).fileName() + " - Help");
    topics_->clear();
    text_->clear();
    // The caret may stand in a heading of the previous page; its style
    // must not pass to what is shown next.
    text_->setCurrentCharFormat(QTextCharFormat());
    QTextCursor(text_->document()).setBlockFormat(QTextBlockFormat());
    text_->document()->setDefaultFont(font());
    std::string reason;
    const auto read = tz::readRegularFile(tz::storedLine(path), reason);
    if (!read) {
        text_->setPlainText(
            QString("The help file %1 cannot be shown: %2.").arg(path, tz::displayLine(reason)));
        return;
    }
    const std::string& bytes = *read;
    const QString shown = tz::displayText(bytes);
    if (Qt::mightBeRichText(shown)) {
        text_->setSearchPaths({QFileInfo(path).absolutePath()});
        text_->setHtml(shown);
    } else {
        showPlainText(bytes);
    }
    fillTopics();
    if (topics_->topLevelItemCount() > 0) topics_->setCurrentItem(topics_->topLevelItem(0));
    text_->verticalScrollBar()->setValue(0);
}

void HelpWindow::showPlainText(const std::string& bytes) {
    QTextDocument* document = text_->document();
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    document->setDefaultFont(fixed);
    QTextCursor cursor(document);
    bool first = true;
    for (const tz::HelpLine& line : tz::plainHelpLines(bytes)) {
        QTextBlockFormat block;
        block.setHeadingLevel(line.headingLevel);
        QTextCharFormat characters;
        if (line.headingLevel > 0) {
            characters.setFontWeight(QFont::Bold);
            characters.setFontPointSize(fixed.pointSizeF() +
                                        2 * (DeepestTopic + 1 - line.headingLevel));
        }
        if (first) {
            cursor.setBlockFormat(block);
            first = false;
        } else {
            cursor.insertBlock(block);
        }
        cursor.insertText(tz::displayLine(line.text), characters);
    }
}

// Headings of level 1 to 3 become a tree of topics.
void HelpWindow::fillTopics() {
    QTreeWidgetItem* parents[DeepestTopic + 1] = {};
    for (QTextBlock block = text_->document()->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        const QString title = block.text().simplified();
        if (level < 1 || level > DeepestTopic || title.isEmpty()) continue;
        QTreeWidgetItem* above = nullptr;
        for (int outer = level - 1; outer >= 1 && !above; --outer) above = parents[outer];
        auto* item = above ? new QTreeWidgetItem(above) : new QTreeWidgetItem(topics_);
        item->setText(0, title);
        item->setData(0, TopicPosition, block.position());
        parents[level] = item;
        for (int deeper = level + 1; deeper <= DeepestTopic; ++deeper) parents[deeper] = nullptr;
    }
    topics_->expandAll();
}

// Scrolls the text so that the topic's heading is at the top.
void HelpWindow::jumpToTopic(QTreeWidgetItem* item) {
    if (!item) return;
    const QTextBlock heading = text_->document()->findBlock(item->data(0, TopicPosition).toInt());
    text_->setTextCursor(QTextCursor(heading));
    const QRectF area = text_->document()->documentLayout()->blockBoundingRect(heading);
    text_->verticalScrollBar()->setValue(int(area.top()));
}
