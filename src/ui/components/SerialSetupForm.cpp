// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/components/SerialSetupForm.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "serial/SerialDevices.h"
#include "ui/components/SerialSetupDlg.h"

namespace quill {

namespace {

constexpr int kLabelX = 12;
constexpr int kFieldX = 96;
constexpr int kFieldWidth = 220;
constexpr int kTop = 12;
constexpr int kWidth = kFieldX + kFieldWidth + 12;
constexpr int kButtonGap = 12;  // below the last row
constexpr int kBottom = 44;     // from the button row to the bottom edge

struct Texts {
  const char* title;
  const char* ok;
  const char* cancel;
  const char* automatic;
  const char* port;
};
constexpr Texts kTexts[2] = {
    {QT_TRANSLATE_NOOP("quill::TFormSerialSetup", "Serial port"), QT_TRANSLATE_NOOP("quill::TFormSerialSetup", "OK"),
     QT_TRANSLATE_NOOP("quill::TFormSerialSetup", "Cancel"), QT_TRANSLATE_NOOP("quill::TFormSerialSetup", "Automatic"),
     QT_TRANSLATE_NOOP("quill::TFormSerialSetup", "Port")},
    {"Seri\xC3\xAB"
     "le poort",
     "OK", "Annuleren", "Automatisch", "Poort"},
};

constexpr const char* kRowNames[6] = {"Port", "Baudrate", "Databits", "Parity", "Stopbits", "FlowCtrl"};

// Parity items in list order and the parity value each stands for.
constexpr int kParityValues[5] = {0, 2, 1, 3, 4};  // None, Even, Odd, Mark, Space

int ParityItem(int value) {
  for (int i = 0; i < 5; ++i) {
    if (kParityValues[i] == value) return i;
  }
  return 0;
}

// "Text that is no number gives 0", as the digits at the start of the text.
std::uint32_t NumberOf(const QString& text) {
  bool ok = false;
  const qulonglong v = text.trimmed().toULongLong(&ok);
  return ok && v <= 0xFFFFFFFFull ? static_cast<std::uint32_t>(v) : 0;
}

}  // namespace

TFormSerialSetup::TFormSerialSetup(QWidget* parent, PortLister ports)
    : QDialog(parent), ports_(ports ? std::move(ports) : PortLister([] { return ListSerialPorts(); })) {
  setObjectName("FormSerialSetup");
  auto combo = [this](const char* name, bool editable) {
    auto* c = new QComboBox(this);
    c->setObjectName(QString("ComboBox") + name);
    c->setEditable(editable);
    c->resize(kFieldWidth, c->sizeHint().height());
    return c;
  };
  port_ = combo("Port", true);
  baud_ = combo("Baudrate", true);
  databits_ = combo("Databits", false);
  parity_ = combo("Parity", false);
  stopbits_ = combo("Stopbits", false);
  flow_ = combo("FlowCtrl", false);
  databits_->addItems({"7", "8"});
  parity_->addItems({"None", "Even", "Odd", "Mark", "Space"});
  stopbits_->addItems({"1", "1.5", "2"});
  flow_->addItems({"None", "Hardware", "Xon/Xoff"});
  for (int i = 0; i < 6; ++i) {
    labels_[i] = new QLabel(this);
    labels_[i]->setObjectName(QString("Label") + kRowNames[i]);
  }
  labels_[1]->setText(tr("Baudrate"));
  labels_[2]->setText(tr("Databits"));
  labels_[3]->setText(tr("Parity"));
  labels_[4]->setText(tr("Stopbits"));
  labels_[5]->setText(tr("Flow ctrl"));
  ok_ = new QPushButton(this);
  ok_->setObjectName("ButtonOK");
  ok_->setDefault(true);
  cancel_ = new QPushButton(this);
  cancel_->setObjectName("ButtonCancel");
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  PlaceRows(true, true);
}

void TFormSerialSetup::PlaceRows(bool showBaud, bool showSettings) {
  QWidget* fields[6] = {port_, baud_, databits_, parity_, stopbits_, flow_};
  const bool shown[6] = {true, showBaud, showSettings, showSettings, showSettings, showSettings};
  int y = kTop;
  for (int i = 0; i < 6; ++i) {
    labels_[i]->setVisible(shown[i]);
    fields[i]->setVisible(shown[i]);
    if (!shown[i]) continue;
    fields[i]->move(kFieldX, y);
    labels_[i]->setGeometry(kLabelX, y, kFieldX - kLabelX - 4, fields[i]->height());
    y += kRowHeight;
  }
  const int buttonY = y + kButtonGap;
  ok_->setGeometry(kWidth - 12 - 2 * 90 - 8, buttonY, 90, 28);
  cancel_->setGeometry(kWidth - 12 - 90, buttonY, 90, 28);
  setFixedSize(kWidth, buttonY + kBottom);
}

bool TSerialSetupDlg::Execute(QWidget* parent) {
  TFormSerialSetup form(parent);
  form.LoadFrom(*this);
  if (form.exec() != QDialog::Accepted) return false;
  form.StoreTo(*this);
  return true;
}

void TFormSerialSetup::LoadFrom(const TSerialSetupDlg& dlg) {
  // The component's own Dutch set, or the English one in the window's language.
  const int language = std::clamp(dlg.Taal, 0, 1);
  const Texts& t = kTexts[language];
  auto text = [language](const char* english) { return language == 0 ? tr(english) : QString::fromUtf8(english); };
  setWindowTitle(dlg.Caption.empty() ? text(t.title) : QString::fromStdString(dlg.Caption));
  ok_->setText(text(t.ok));
  cancel_->setText(text(t.cancel));
  labels_[0]->setText(text(t.port));
  automatic_ = text(t.automatic);

  port_->clear();
  for (const std::string& p : ports_()) port_->addItem(QString::fromStdString(p));
  port_->setEditText(QString::fromStdString(dlg.Port));

  baud_->clear();
  if (dlg.AutoBaudrate) baud_->addItem(automatic_);
  baud_->addItems({"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"});
  baud_->setEditText(dlg.Baudrate == 0 ? automatic_ : QString::number(dlg.Baudrate));

  databits_->setCurrentIndex(dlg.Databits == 7 ? 0 : 1);
  parity_->setCurrentIndex(ParityItem(dlg.Parity));
  stopbits_->setCurrentIndex(dlg.Stopbits <= 2 ? dlg.Stopbits : 0);
  flow_->setCurrentIndex(dlg.FlowCtrl <= 2 ? dlg.FlowCtrl : 0);
  PlaceRows(dlg.ShowBaudrate, dlg.ShowSettings);
}

void TFormSerialSetup::StoreTo(TSerialSetupDlg& dlg) const {
  dlg.Port = port_->currentText().trimmed().toStdString();
  dlg.Baudrate = NumberOf(baud_->currentText());
  dlg.Databits = static_cast<int>(NumberOf(databits_->currentText()));
  dlg.Parity = static_cast<std::uint8_t>(kParityValues[std::clamp(parity_->currentIndex(), 0, 4)]);
  dlg.Stopbits = static_cast<std::uint8_t>(std::clamp(stopbits_->currentIndex(), 0, 2));
  dlg.FlowCtrl = static_cast<std::uint8_t>(std::clamp(flow_->currentIndex(), 0, 2));
}

}  // namespace quill
