// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list/DetailsPane.h"

#include <QAbstractItemModel>
#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QVBoxLayout>

#include "list/WaypointStore.h"
#include "text/Ansi.h"
#include "text/QtText.h"
#include "text/TextHelpers.h"
#include "ui/list/TypeIcons.h"
#include "web/CacheHint.h"
#include "web/CacheHtml.h"
#include "web/CacheListing.h"
#include "web/CachePage.h"

namespace quill {
namespace {

// A label's text finds the program's own pictures by file name, not by URL.
constexpr const char* kImageFolder = ":/html/";
constexpr int kShownLogs = 5;
// A picture larger than this is not a picture a listing needs.
constexpr qint64 kMostImageBytes = 8 * 1024 * 1024;

const QImage& Placeholder() {
  static const QImage image = [] {
    QImage i(150, 40, QImage::Format_ARGB32_Premultiplied);
    i.fill(QColor(235, 235, 235));
    QPainter p(&i);
    p.setPen(QColor(150, 150, 150));
    p.drawRect(0, 0, i.width() - 1, i.height() - 1);
    p.setPen(QColor(80, 80, 80));
    p.drawText(i.rect(), Qt::AlignCenter, QCoreApplication::translate("quill::TDetailsPane", "Picture: click to load"));
    return i;
  }();
  return image;
}

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QLabel* MakeLabel(QWidget* parent, const char* name, Qt::TextFormat format = Qt::RichText) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setTextFormat(format);
  l->setWordWrap(true);
  l->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return l;
}

}  // namespace

// ---- the browser ----

TDetailsBrowser::TDetailsBrowser(QWidget* parent) : QTextBrowser(parent) {
  setOpenLinks(false);
  setOpenExternalLinks(false);
  connect(this, &QTextBrowser::anchorClicked, this, &TDetailsBrowser::LinkActivated);
}

void TDetailsBrowser::SetPage(const QString& html) {
  html_ = html;
  const int scrolled = verticalScrollBar()->value();
  setHtml(html);
  verticalScrollBar()->setValue(scrolled);
}

QVariant TDetailsBrowser::loadResource(int type, const QUrl& name) {
  if (name.scheme() == QLatin1String("qrc")) return QTextBrowser::loadResource(type, name);
  if (type != QTextDocument::ImageResource) return {};
  const auto it = fetched_.constFind(name);
  return it != fetched_.constEnd() ? QVariant(*it) : QVariant(Placeholder());
}

bool TDetailsBrowser::FetchImageAt(const QPoint& viewportPos) {
  const QPointF at(viewportPos.x() + horizontalScrollBar()->value(), viewportPos.y() + verticalScrollBar()->value());
  const QString image = document()->documentLayout()->imageAt(at);
  if (image.isEmpty()) return false;
  const QUrl url(image);
  if ((url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")) || asked_.contains(url)) {
    return false;
  }
  asked_.insert(url, true);
  if (!network_) network_ = new QNetworkAccessManager(this);
  QNetworkRequest request(url);
  request.setHeader(QNetworkRequest::UserAgentHeader, "Quillmark");
  QNetworkReply* reply = network_->get(request);
  ++fetches_;
  connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
    if (received > kMostImageBytes) reply->abort();
  });
  connect(reply, &QNetworkReply::finished, this, [this, reply, url] {
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError) {
      // Another click may try again.
      asked_.remove(url);
      return;
    }
    ImageArrived(url, reply->readAll());
  });
  return true;
}

void TDetailsBrowser::ImageArrived(const QUrl& url, const QByteArray& bytes) {
  QImage image;
  if (bytes.size() > kMostImageBytes || !image.loadFromData(bytes)) {
    asked_.remove(url);
    return;
  }
  fetched_.insert(url, image);
  SetPage(html_);
}

void TDetailsBrowser::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && FetchImageAt(event->position().toPoint())) {
    event->accept();
    return;
  }
  QTextBrowser::mouseReleaseEvent(event);
}

// ---- the pane ----

TDetailsPane::TDetailsPane(const WaypointStore& store, QAbstractItemModel* listModel, QWidget* parent)
    : QWidget(parent), store_(store) {
  setObjectName("DetailsPane");
  setMinimumWidth(220);

  icon_ = MakeLabel(this, "LabelDetailsIcon", Qt::PlainText);
  icon_->setFixedSize(18, 18);
  name_ = MakeLabel(this, "LabelDetailsName");
  QFont bold = name_->font();
  bold.setBold(true);
  name_->setFont(bold);
  auto* close = new QToolButton(this);
  close->setObjectName("ButtonDetailsClose");
  close->setText(QString::fromUtf8("\xC3\x97"));
  close->setToolTip(tr("Close the details"));
  close->setAutoRaise(true);
  connect(close, &QToolButton::clicked, this, &TDetailsPane::CloseRequested);
  auto* header = new QHBoxLayout;
  header->addWidget(icon_, 0, Qt::AlignTop);
  header->addWidget(name_, 1);
  header->addWidget(close, 0, Qt::AlignTop);

  noInfo_ = MakeLabel(this, "LabelDetailsNoInfo", Qt::PlainText);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("TabDetails");

  auto* facts = new QWidget;
  facts->setObjectName("DetailsFacts");
  auto* form = new QFormLayout(facts);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  form->setRowWrapPolicy(QFormLayout::WrapLongRows);
  auto row = [&](const QString& caption, const char* name, Qt::TextFormat format = Qt::RichText) {
    QLabel* l = MakeLabel(facts, name, format);
    form->addRow(caption, l);
    return l;
  };
  code_ = row(tr("Code:"), "LabelDetailsCode", Qt::PlainText);
  type_ = row(tr("Type:"), "LabelDetailsType", Qt::PlainText);
  owner_ = row(tr("Owner:"), "LabelDetailsOwner");
  difficulty_ = row(tr("Difficulty:"), "LabelDetailsDifficulty");
  terrain_ = row(tr("Terrain:"), "LabelDetailsTerrain");
  container_ = row(tr("Container:"), "LabelDetailsContainer");
  location_ = row(tr("Location:"), "LabelDetailsLocation");
  placed_ = row(tr("Placed:"), "LabelDetailsPlaced", Qt::PlainText);
  status_ = row(tr("Status:"), "LabelDetailsStatus", Qt::PlainText);
  hint_ = MakeLabel(facts, "LabelDetailsHint", Qt::PlainText);
  hintButton_ = new QPushButton(tr("Decode"), facts);
  hintButton_->setObjectName("ButtonDecodeHint");
  hintButton_->setAutoDefault(false);
  connect(hintButton_, &QPushButton::clicked, this, &TDetailsPane::ToggleHint);
  auto* hintRow = new QVBoxLayout;
  hintRow->setContentsMargins(0, 0, 0, 0);
  hintRow->addWidget(hint_);
  hintRow->addWidget(hintButton_, 0, Qt::AlignLeft);
  form->addRow(tr("Hint:"), hintRow);
  waypoints_ = row(tr("Waypoints:"), "LabelDetailsWaypoints", Qt::PlainText);

  auto* factsScroll = new QScrollArea;
  factsScroll->setObjectName("ScrollDetailsFacts");
  factsScroll->setWidget(facts);
  factsScroll->setWidgetResizable(true);
  factsScroll->setFrameShape(QFrame::NoFrame);
  description_ = new TDetailsBrowser;
  description_->setObjectName("TextDetailsDescription");
  logs_ = new TDetailsBrowser;
  logs_->setObjectName("TextDetailsLogs");
  tabs_->addTab(factsScroll, tr("Cache"));
  tabs_->addTab(description_, tr("Description"));
  tabs_->addTab(logs_, tr("Logs"));
  for (TDetailsBrowser* b : {description_, logs_}) {
    connect(b, &TDetailsBrowser::LinkActivated, this, &TDetailsPane::LinkActivated);
  }

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 0, 0, 0);
  layout->addLayout(header);
  layout->addWidget(noInfo_);
  layout->addWidget(tabs_, 1);
  // Without the tabs the header stays at the top.
  layout->addStretch(0);
  for (QLabel* l : {name_, noInfo_}) l->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);

  if (listModel) {
    connect(listModel, &QAbstractItemModel::modelAboutToBeReset, this, [this] { ListChanged(); });
    connect(listModel, &QAbstractItemModel::rowsAboutToBeRemoved, this, [this] { ListChanged(); });
    connect(listModel, &QAbstractItemModel::layoutAboutToBeChanged, this, [this] { ListChanged(); });
  }
  Clear();
}

void TDetailsPane::Clear() {
  icon_->clear();
  name_->clear();
  noInfo_->setText(tr("No waypoint selected"));
  noInfo_->show();
  tabs_->hide();
  for (QLabel* l :
       {code_, type_, owner_, difficulty_, terrain_, container_, location_, placed_, status_, hint_, waypoints_}) {
    l->clear();
  }
  description_->SetPage({});
  logs_->SetPage({});
  hintText_.clear();
  hintDecoded_ = false;
  hintButton_->setEnabled(false);
}

void TDetailsPane::ShowRecord(const TGpxRecord* record) {
  Clear();
  if (!record || isHidden()) return;
  icon_->setPixmap(TypeIcon(record->TypeCode).pixmap(16, 16));
  if (record->GroundspeakXml.empty()) {
    name_->setText(AnsiToQString(record->Name).toHtmlEscaped());
    noInfo_->setText(tr("No geocaching info"));
    return;
  }
  noInfo_->hide();
  const CacheListing listing = ReadCacheListing(record->GroundspeakXml);
  CacheHtmlCleaner cleaner;
  auto text = [&cleaner](const std::string& html) { return Utf8(cleaner.Text(html)); };

  QString title = text(listing.name);
  if (title.isEmpty()) title = AnsiToQString(record->Name).toHtmlEscaped();
  if (listing.archived) title = "<font color=\"red\">" + title + "</font>";
  if (listing.archived || !listing.available) title = "<s>" + title + "</s>";
  name_->setText(title);

  code_->setText(AnsiToQString(record->Name));
  type_->setText(listing.type.empty() ? AnsiToQString(TypeName(record->TypeCode)) : Utf8(listing.type));
  owner_->setText(text(listing.owner.empty() ? listing.placedBy : listing.owner));
  auto stars = [](const std::string& rating) {
    if (rating.empty()) return QString();
    return Utf8(CacheRatingStars(rating, kImageFolder)) + "&nbsp;" + Utf8(EscapeHtmlText(rating));
  };
  difficulty_->setText(stars(listing.difficulty));
  terrain_->setText(stars(listing.terrain));
  container_->setText(text(listing.container));
  location_->setText(Utf8(cleaner.Text(CacheLocationHtml(listing, cleaner))));
  placed_->setText(AnsiToQString(IsoDateToText(record->Time)));
  status_->setText(listing.archived ? tr("Archived") : !listing.available ? tr("Disabled") : tr("Available"));

  // The visible text of the hint's HTML: the turn must meet letters, not mark-up.
  hintText_ = QTextDocumentFragment::fromHtml(Utf8(cleaner.Text(listing.hint))).toPlainText();
  ShowHint();

  QStringList others;
  if (!codes_.Built()) codes_.Build(store_.AllWaypoints());
  for (const TGpxRecord* r : codes_.SameCache(*record)) {
    QString line = AnsiToQString(r->Name) + "  " + AnsiToQString(TypeName(r->TypeCode));
    const std::string& about = !r->Desc.empty() ? r->Desc : r->Cmt;
    if (!about.empty()) line += "  " + AnsiToQString(about);
    others << line;
  }
  waypoints_->setText(others.join('\n'));

  QString description = Utf8(cleaner.Clean(listing.shortDescription));
  const QString longDescription = Utf8(cleaner.Clean(listing.longDescription));
  if (!description.isEmpty() && !longDescription.isEmpty()) description += "<hr>";
  description_->SetPage(description + longDescription);

  QString logs;
  for (const CacheLog& log : NewestCacheLogs(listing.logs, kShownLogs)) {
    logs += "<p><img src=\"" + QString(kImageFolder) + QString::fromLatin1(LogTypeIcon(log.type)) +
            "\" width=\"16\" height=\"16\"> <b>" + Utf8(EscapeHtmlText(AnsiToUtf8(IsoDateToText(log.date)))) + "</b> " +
            Utf8(cleaner.Clean(log.finder)) + " <i>" + Utf8(EscapeHtmlText(log.type)) + "</i><br>" +
            Utf8(cleaner.Clean(log.text)) + "</p>";
  }
  logs_->SetPage(logs);
  tabs_->show();
}

void TDetailsPane::ToggleHint() {
  if (hintText_.isEmpty()) return;
  hintDecoded_ = !hintDecoded_;
  ShowHint();
}

void TDetailsPane::ShowHint() {
  if (hintText_.isEmpty()) {
    hint_->setText(tr("No hint"));
    hintButton_->setEnabled(false);
    hintButton_->setText(tr("Decode"));
    return;
  }
  // The file holds the hint readable; it is shown turned until asked for.
  hint_->setText(hintDecoded_ ? hintText_ : Utf8(TurnHint(hintText_.toStdString())));
  hintButton_->setText(hintDecoded_ ? tr("Encode") : tr("Decode"));
  hintButton_->setEnabled(true);
}

}  // namespace quill
