// SPDX-License-Identifier: GPL-3.0-or-later
// The serial setup dialog, driven by objectName.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "ui/UiTestSupport.h"
#include "ui/components/SerialSetupDlg.h"
#include "ui/components/SerialSetupForm.h"

namespace quill {
namespace {

std::vector<std::string> FakePorts() { return {"/dev/ttyUSB0", "/dev/serial/by-id/usb-GPS-if00"}; }

template <class T>
T* Child(QWidget& w, const char* name) {
  T* c = w.findChild<T*>(name);
  EXPECT_NE(c, nullptr) << name;
  return c;
}

TEST(UiSerialSetup, LanguagesRowsAndShrinking) {
  struct Row {
    int taal;
    const char* title;
    const char* cancel;
    const char* port;
  };
  for (const Row& r : {Row{0, "Serial port", "Cancel", "Port"},
                       Row{1,
                           "Seri\xC3\xAB"
                           "le poort",
                           "Annuleren", "Poort"},
                       Row{7,
                           "Seri\xC3\xAB"
                           "le poort",
                           "Annuleren", "Poort"},
                       Row{-3, "Serial port", "Cancel", "Port"}}) {
    TFormSerialSetup form(nullptr, FakePorts);
    TSerialSetupDlg dlg;
    dlg.Taal = r.taal;
    form.LoadFrom(dlg);
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8(r.title)) << r.taal;
    EXPECT_EQ(Child<QPushButton>(form, "ButtonCancel")->text(), r.cancel);
    EXPECT_EQ(Child<QLabel>(form, "LabelPort")->text(), r.port);
    EXPECT_EQ(Child<QLabel>(form, "LabelFlowCtrl")->text(), "Flow ctrl");
  }
  TSerialSetupDlg dlg;
  dlg.Caption = "GPS receiver";
  TFormSerialSetup form(nullptr, FakePorts);
  form.LoadFrom(dlg);
  EXPECT_EQ(form.windowTitle(), "GPS receiver");

  // Heights and rows for each combination of the two switches.
  auto layout = [](bool baud, bool settings) {
    TFormSerialSetup f(nullptr, FakePorts);
    TSerialSetupDlg d;
    d.ShowBaudrate = baud;
    d.ShowSettings = settings;
    f.LoadFrom(d);
    f.show();
    struct {
      int height;
      bool baudShown;
      bool parityShown;
      int databitsBelowPort;
      int okY;
    } r{f.height(), Child<QComboBox>(f, "ComboBoxBaudrate")->isVisible(),
        Child<QComboBox>(f, "ComboBoxParity")->isVisible(),
        Child<QComboBox>(f, "ComboBoxDatabits")->y() - Child<QComboBox>(f, "ComboBoxPort")->y(),
        Child<QPushButton>(f, "ButtonOK")->y()};
    return r;
  };
  const auto all = layout(true, true);
  const auto noBaud = layout(false, true);
  const auto noSettings = layout(true, false);
  const auto portOnly = layout(false, false);
  EXPECT_TRUE(all.baudShown && all.parityShown);
  EXPECT_EQ(all.databitsBelowPort, 64);
  EXPECT_FALSE(noBaud.baudShown);
  EXPECT_EQ(noBaud.databitsBelowPort, 32);
  EXPECT_EQ(noBaud.height, all.height - 32);
  EXPECT_EQ(noBaud.okY, all.okY - 32);
  EXPECT_FALSE(noSettings.parityShown);
  EXPECT_EQ(noSettings.height, all.height - 128);
  EXPECT_EQ(portOnly.height, all.height - 160);
  EXPECT_EQ(portOnly.okY, all.okY - 160);
}

TEST(UiSerialSetup, ListsAndValueMappings) {
  TFormSerialSetup form(nullptr, FakePorts);
  TSerialSetupDlg dlg;
  dlg.Taal = 1;
  dlg.Port = "/dev/pts/7";
  dlg.Baudrate = 0;
  dlg.AutoBaudrate = true;
  dlg.ShowSettings = true;
  dlg.Parity = 1;
  dlg.Stopbits = 1;
  dlg.FlowCtrl = 2;
  dlg.Databits = 7;
  form.LoadFrom(dlg);
  auto* port = Child<QComboBox>(form, "ComboBoxPort");
  auto* baud = Child<QComboBox>(form, "ComboBoxBaudrate");
  auto* parity = Child<QComboBox>(form, "ComboBoxParity");
  auto* stopbits = Child<QComboBox>(form, "ComboBoxStopbits");
  auto* flow = Child<QComboBox>(form, "ComboBoxFlowCtrl");
  auto* databits = Child<QComboBox>(form, "ComboBoxDatabits");
  ASSERT_EQ(port->count(), 2);
  EXPECT_EQ(port->itemText(1), "/dev/serial/by-id/usb-GPS-if00");
  EXPECT_EQ(port->currentText(), "/dev/pts/7");
  ASSERT_EQ(baud->count(), 9);
  EXPECT_EQ(baud->itemText(0), "Automatisch");
  EXPECT_EQ(baud->currentText(), "Automatisch");
  EXPECT_EQ(parity->currentText(), "Odd");
  EXPECT_EQ(stopbits->currentText(), "1.5");
  EXPECT_EQ(flow->currentText(), "Xon/Xoff");
  EXPECT_EQ(databits->currentText(), "7");

  form.StoreTo(dlg);
  EXPECT_EQ(dlg.Baudrate, 0u);
  EXPECT_EQ(dlg.Parity, 1);
  EXPECT_EQ(dlg.Stopbits, 1);
  EXPECT_EQ(dlg.FlowCtrl, 2);
  EXPECT_EQ(dlg.Databits, 7);

  // Each parity item stores its own value; unknown values show "None".
  const std::pair<const char*, int> parities[] = {{"None", 0}, {"Even", 2}, {"Odd", 1}, {"Mark", 3}, {"Space", 4}};
  for (const auto& [text, value] : parities) {
    parity->setCurrentText(text);
    form.StoreTo(dlg);
    EXPECT_EQ(dlg.Parity, value) << text;
  }
  dlg.Parity = 9;
  form.LoadFrom(dlg);
  EXPECT_EQ(parity->currentText(), "None");

  // Baud text: a number, or 0 for anything else.
  for (const auto& [text, value] :
       {std::pair{"57600", 57600u}, std::pair{" 4800 ", 4800u}, std::pair{"fast", 0u}, std::pair{"99999999999", 0u}}) {
    baud->setEditText(text);
    form.StoreTo(dlg);
    EXPECT_EQ(dlg.Baudrate, value) << text;
  }
  dlg.AutoBaudrate = false;
  dlg.Baudrate = 4800;
  form.LoadFrom(dlg);
  EXPECT_EQ(baud->count(), 8);
  EXPECT_EQ(baud->currentText(), "4800");

  // The dialog's flow numbering differs from the port's.
  TUlkSerialPort serial;
  dlg.FlowCtrl = 1;
  dlg.Parity = 4;
  dlg.ApplyTo(serial);
  EXPECT_EQ(serial.FlowCtrl, flowHardware);
  EXPECT_EQ(serial.Parity, parSpace);
  serial.FlowCtrl = flowSoftware;
  dlg.TakeFrom(serial);
  EXPECT_EQ(dlg.FlowCtrl, 2);
}

TEST(UiSerialSetup, ExecuteStoresOnlyOnOk) {
  TSerialSetupDlg dlg;
  dlg.Port = "/dev/ttyUSB3";
  test::AnswerNextModal([](QWidget* w) {
    w->findChild<QComboBox*>("ComboBoxPort")->setEditText("/dev/ttyACM0");
    w->findChild<QPushButton*>("ButtonCancel")->click();
  });
  EXPECT_FALSE(dlg.Execute());
  EXPECT_EQ(dlg.Port, "/dev/ttyUSB3");
  test::AnswerNextModal([](QWidget* w) {
    w->findChild<QComboBox*>("ComboBoxPort")->setEditText("/dev/ttyACM0");
    w->findChild<QComboBox*>("ComboBoxBaudrate")->setEditText("115200");
    w->findChild<QPushButton*>("ButtonOK")->click();
  });
  EXPECT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.Port, "/dev/ttyACM0");
  EXPECT_EQ(dlg.Baudrate, 115200u);
}

}  // namespace
}  // namespace quill
