// The Qt dialogs of the dialog models: titles, presets, the checks OK makes, Cancel.
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include "app/anova_dialogs.h"
#include "app/correlation_dialogs.h"
#include "app/outlier_dialogs.h"
#include "app/rank_dialogs.h"
#include "app/sort_dialog.h"
#include <QListWidget>
#include <QPushButton>
#include "gui/file_filter.h"
#include "gui/model_dialogs.h"
#include "app/dialogs.h"
#include "gui/qt_port.h"
#include "gui_tests.h"

namespace orvel::gui::testing {

class DialogsTest : public QObject {
  Q_OBJECT
 private:
  std::vector<std::string> refusals_;

  static QLineEdit* Field(QDialog& d, const char* key) { return d.findChild<QLineEdit*>(key); }
  static QString Q(const std::string& text) { return QString::fromStdString(text); }

 private slots:
  void init() {
    refusals_.clear();
    ModelDialog::SetRefusalHandler([this](QWidget*, const std::string& reason) { refusals_.push_back(reason); });
  }

  void cleanup() { ModelDialog::SetRefusalHandler(nullptr); }

  // A refused OK, and the label column chosen as sort key, are told in a box titled "ORVEL"
  // while the dialog stays open.
  void refusalsAreToldUnderTheProgramsName() {
    ModelDialog::SetRefusalHandler(nullptr);
    CORVELDoc doc;
    SortDialog sort;
    sort.columns[0] = true;
    auto dialog = CreateModelDialog(sort, nullptr, &doc);
    dialog->show();
    QStringList seen;
    const auto close_box = [&seen] {
      WhenModalShows([&seen](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (box == nullptr) return;
        seen << box->windowTitle() + ": " + box->text();
        box->button(QMessageBox::Ok)->click();
      });
    };
    dialog->findChild<QListWidget*>("sorted_list")->setCurrentRow(0);
    close_box();
    dialog->findChild<QPushButton*>("set_key")->click();
    close_box();
    dialog->accept();
    QVERIFY(dialog->isVisible());
    QCOMPARE(seen, (QStringList{QString("ORVEL: ") + SortDialog::kLabelKeyMessage,
                                QString("ORVEL: ") + SortDialog::kNoKeyMessage}));
  }

  void frequencySettingsTakeAtMostTwentyCharacters() {
    FrequencyDialog model;
    auto dialog = CreateModelDialog(model, nullptr);
    for (const char* key : {"max", "min"}) {
      QLineEdit* edit = Field(*dialog, key);
      edit->clear();
      QTest::keyClicks(edit, "1234567890.123456789012345");
      QCOMPARE(edit->text(), QString("1234567890.123456789"));
    }
    QVERIFY(Field(*dialog, "maximum_value")->isReadOnly());
    model.maximum_setting = std::string(21, '1');
    QCOMPARE(model.Accept(), std::string("Enter no more than 20 characters."));
  }

  void explanationRefusesADoubleQuote() {
    ExplanationDialog model;
    auto dialog = CreateModelDialog(model, nullptr);
    QVERIFY(dialog->findChild<QLabel*>() != nullptr);
    QCOMPARE(dialog->findChild<QLabel*>()->text(), QString("You can write some explanations for the record macro."));
    dialog->show();
    Field(*dialog, "text")->setText("5\" screws");
    dialog->accept();
    QVERIFY(dialog->isVisible());
    QCOMPARE(refusals_.back(), std::string(ExplanationDialog::kBadText));
    dialog->reject();
    QCOMPARE(model.text, std::string());
  }

  // The macro's input prompt: titled as asked, the prompt read-only above an empty answer box
  // that takes several lines; Cancel gives nothing.
  void theInputPromptTakesSeveralLines() {
    QtPort port;
    QString title, prompt;
    bool prompt_read_only = false, answer_empty = false;
    WhenModalShows([&](QWidget* w) {
      title = w->windowTitle();
      auto* shown = w->findChild<QPlainTextEdit*>("prompt");
      auto* answer = w->findChild<QPlainTextEdit*>("answer");
      if (shown == nullptr || answer == nullptr) return static_cast<QDialog*>(w)->reject();
      prompt = shown->toPlainText();
      prompt_read_only = shown->isReadOnly() && !answer->isReadOnly();
      answer_empty = answer->toPlainText().isEmpty();
      answer->setFocus();
      QTest::keyClicks(answer, "first");
      QTest::keyClick(answer, Qt::Key_Return);
      QTest::keyClicks(answer, "second");
      w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    const std::optional<std::string> typed = port.AskInput("ORVEL", "Title of the report?");
    QCOMPARE(title, QString("ORVEL"));
    QCOMPARE(prompt, QString("Title of the report?"));
    QVERIFY(prompt_read_only);
    QVERIFY(answer_empty);
    QVERIFY(typed.has_value());
    QCOMPARE(*typed, std::string("first\nsecond"));

    WhenModalShows([](QWidget* w) { w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click(); });
    QVERIFY(!port.AskInput("ORVEL", "Again?").has_value());
  }

  void frequencyShowsThePresetsAndRefusesClassesOutOfRange() {
    FrequencyDialog model;
    model.maximum_value = "9.0000";
    model.number_of_data = "12";
    model.maximum_setting = "10.0000";
    model.classes = 6;
    auto dialog = CreateModelDialog(model, nullptr);
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QString("Setting for Frequency Distribution"));
    QCOMPARE(Field(*dialog, "maximum_value")->text(), QString("9.0000"));
    QVERIFY(Field(*dialog, "maximum_value")->isReadOnly());
    QVERIFY(Field(*dialog, "number_of_data")->isReadOnly());
    QVERIFY(!Field(*dialog, "max")->isReadOnly());
    QCOMPARE(Field(*dialog, "classes")->text(), QString("6"));
    dialog->show();
    for (const char* bad : {"4", "21", "x", ""}) {
      Field(*dialog, "classes")->setText(bad);
      dialog->accept();
      QVERIFY2(dialog->isVisible(), bad);  // refused: stays open
      QCOMPARE(dialog->result(), int(QDialog::Rejected));
    }
    QCOMPARE(refusals_.size(), std::size_t(4));
    QCOMPARE(refusals_[0], std::string("Enter an integer between 5 and 20."));
    Field(*dialog, "classes")->setText("20");
    Field(*dialog, "max")->setText(" 12.5 ");
    dialog->accept();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(model.classes, 20);
    QCOMPARE(model.maximum_setting, std::string("12.5"));
  }

  void cancelPutsThePresetsBackAfterARefusedOk() {
    RowNumbersDialog model;
    model.rows = 499;
    auto dialog = CreateModelDialog(model, nullptr);
    QCOMPARE(dialog->windowTitle(), QString("Setting for Number of Rows"));
    dialog->show();
    Field(*dialog, "rows")->setText("99");
    dialog->accept();
    QVERIFY(dialog->isVisible());
    dialog->reject();
    QCOMPARE(model.rows, 499);
    auto again = CreateModelDialog(model, nullptr);
    again->show();
    Field(*again, "rows")->setText("20000");
    again->accept();
    QCOMPARE(again->result(), int(QDialog::Accepted));
    QCOMPARE(model.rows, 20000);
  }

  void randomNumbersTableChecksBothRanges() {
    RandomNumbersDialog model;
    auto dialog = CreateModelDialog(model, nullptr);
    QCOMPARE(dialog->windowTitle(), QString("Random Numbers Table"));
    QCOMPARE(Field(*dialog, "groups")->text(), QString("2"));
    QCOMPARE(Field(*dialog, "repetitions")->text(), QString("10"));
    dialog->show();
    Field(*dialog, "groups")->setText("11");
    dialog->accept();
    QVERIFY(dialog->isVisible());
    Field(*dialog, "groups")->setText("10");
    Field(*dialog, "repetitions")->setText("31");
    dialog->accept();
    QVERIFY(dialog->isVisible());
    Field(*dialog, "repetitions")->setText("30");
    dialog->accept();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(model.groups, 10);
    QCOMPARE(model.repetitions, 30);
  }

  void radioButtonsAndCheckBoxesCarryTheChoice() {
    ResultOptionsDialog options;
    auto d1 = CreateModelDialog(options, nullptr);
    QCOMPARE(d1->windowTitle(), QString("Result Options"));
    QVERIFY(d1->findChild<QRadioButton*>("choice0")->isChecked());  // Add New Result
    QCOMPARE(d1->findChild<QRadioButton*>("choice1")->text(),
             QString("Save Present Result as Text File and Make New Result"));
    d1->findChild<QRadioButton*>("choice2")->setChecked(true);
    d1->accept();
    QCOMPARE(options.choice, int(ResultOptionsDialog::kDeleteAndMakeNew));

    RegressionCurveDialog curve;
    auto d2 = CreateModelDialog(curve, nullptr);
    QCOMPARE(d2->findChild<QRadioButton*>("kind5")->text(), QString("y=a*(1/x)+b"));
    QVERIFY(d2->findChild<QRadioButton*>("kind0")->isChecked());
    d2->findChild<QRadioButton*>("kind3")->setChecked(true);
    d2->accept();
    QCOMPARE(curve.kind, 3);

    FriedmanDialog friedman;
    auto d3 = CreateModelDialog(friedman, nullptr);
    QCOMPARE(d3->windowTitle(), QString("Friedman Rank Sum Test"));
    QVERIFY(!d3->findChild<QCheckBox*>("tukey")->isChecked());
    d3->findChild<QCheckBox*>("scheffe")->setChecked(true);
    d3->accept();
    QVERIFY(!friedman.tukey);
    QVERIFY(friedman.scheffe);
    KruskalWallisDialog kw;
    QCOMPARE(CreateModelDialog(kw, nullptr)->windowTitle(), QString("Kruskal-Wallis Rank Sum Test"));

    // OnewayANOVA: the control list names the group columns with a full-width colon; the
    // choices reach the model on OK.
    CORVELDoc groups(20);
    groups.SetCell(3, 0, "Placebo");
    for (const int c : {3, 5, 9}) groups.SetGroupColumn(c, true);
    OnewayAnovaDialog oneway(groups, 5);
    auto d5 = CreateModelDialog(oneway, nullptr);
    QCOMPARE(d5->windowTitle(), QString("OnewayANOVA"));
    auto* list = d5->findChild<QListWidget*>("control");
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->item(0)->text(), QString::fromUtf8("Col 3：Placebo"));
    QCOMPARE(list->currentRow(), 1);
    list->setCurrentRow(0);
    d5->findChild<QRadioButton*>("type1")->setChecked(true);
    d5->findChild<QCheckBox*>("holm")->setChecked(true);
    d5->accept();
    QCOMPARE(oneway.ControlColumn(), 3);
    QVERIFY(oneway.repeated);
    QVERIFY(oneway.holm);
    QVERIFY(!oneway.dunnett);
    TwowayAnovaDialog twoway;
    auto d6 = CreateModelDialog(twoway, nullptr);
    QCOMPARE(d6->windowTitle(), QString("TwowayANOVA"));
    QVERIFY(d6->findChild<QRadioButton*>("type0")->isChecked());
    d6->findChild<QCheckBox*>("bonferroni")->setChecked(true);
    d6->accept();
    QVERIFY(twoway.bonferroni && !twoway.repeated);
    TwowayWithoutReplicationDialog block;
    auto d7 = CreateModelDialog(block, nullptr);
    QVERIFY(d7->findChild<QButtonGroup*>("type") == nullptr);  // no Type choice
    QVERIFY(d7->findChild<QCheckBox*>("tukey") != nullptr);

    ExplanationDialog explanation;
    auto d4 = CreateModelDialog(explanation, nullptr);
    QCOMPARE(d4->windowTitle(), QString("Explanation for Record Macro"));
    Field(*d4, "text")->setText("two words");
    d4->accept();
    QCOMPARE(explanation.text, std::string("two words"));
  }

  void sortListsTheColumnsAndNeedsADataColumnAsKey() {
    CORVELDoc doc;
    doc.SetCell(0, 0, "id");
    doc.SetCell(2, 0, "height");
    SortDialog model;
    model.columns[3] = true;
    auto dialog = CreateModelDialog(model, nullptr, &doc);
    QCOMPARE(dialog->windowTitle(), QString("Sort"));
    auto* data = dialog->findChild<QListWidget*>("data_list");
    auto* sorted = dialog->findChild<QListWidget*>("sorted_list");
    QCOMPARE(data->count(), 101);
    QCOMPARE(data->item(0)->text(), QString("label : id"));
    QCOMPARE(data->item(2)->text(), QString("Col 2 : height"));
    QCOMPARE(sorted->count(), 1);  // the document's columns to be sorted
    dialog->show();
    // OK without a key is refused.
    dialog->accept();
    QVERIFY(dialog->isVisible());
    QCOMPARE(refusals_.back(), std::string(SortDialog::kNoKeyMessage));
    // Columns 0 and 2 join (once, in column order); the label column cannot be the key.
    for (int row : {2, 0, 2}) {
      data->setCurrentRow(row);
      dialog->findChild<QPushButton*>("add")->click();
    }
    QCOMPARE(sorted->count(), 3);
    QCOMPARE(sorted->item(0)->text(), QString("label : id"));
    sorted->setCurrentRow(0);
    dialog->findChild<QPushButton*>("set_key")->click();
    QCOMPARE(refusals_.back(), std::string(SortDialog::kLabelKeyMessage));
    QVERIFY(dialog->findChild<QLineEdit*>("key")->text().isEmpty());
    sorted->setCurrentRow(1);
    dialog->findChild<QPushButton*>("set_key")->click();
    QCOMPARE(dialog->findChild<QLineEdit*>("key")->text(), QString("Col 2 : height"));
    sorted->setCurrentRow(2);
    dialog->findChild<QPushButton*>("remove")->click();  // column 3 out again
    dialog->findChild<QRadioButton*>("order1")->setChecked(true);
    dialog->accept();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(model.key, 2);
    QVERIFY(model.descending);
    QVERIFY(model.columns[0] && model.columns[2] && !model.columns[3]);
  }

  // Every dialog model renders from its schema offscreen, with a widget for each field, and
  // refuses each out-of-range field with that field's message while it stays open.
  void everyDialogRendersAndRefusesEachOutOfRangeField() {
    CORVELDoc doc;
    for (const auto& model : AllDialogModels()) {
      const QByteArray title = QByteArray::fromStdString(model->Title());
      const DialogSchema schema = model->Schema();
      const std::vector<DialogFieldValue> presets = schema.SaveValues();
      // Opens the dialog, lets `act` change its widgets, presses OK and returns the refusal
      // ("" when it closed); the presets are then put back.
      const auto ok_after = [&](const std::function<void(ModelDialog&)>& act) {
        refusals_.clear();
        auto dialog = CreateModelDialog(*model, nullptr, &doc);
        dialog->show();
        act(*dialog);
        dialog->accept();
        const bool refused = dialog->isVisible();
        dialog->reject();
        schema.RestoreValues(presets);
        return refused && !refusals_.empty() ? refusals_.back() : std::string();
      };
      auto shown = CreateModelDialog(*model, nullptr, &doc);
      QCOMPARE(shown->windowTitle(), QString(title));
      for (const DialogField& f : schema.fields) {
        const QByteArray where = title + " / " + QByteArray::fromStdString(f.key);
        const QString name = Q(f.list ? f.list->list_name : f.key);
        // A choice is a group of radio buttons, or a list when it is shown as one.
        const bool has_widget = f.kind == FieldKind::kChoice && !f.as_list
                                    ? shown->findChild<QButtonGroup*>(name) != nullptr
                                    : shown->findChild<QWidget*>(name) != nullptr;
        QVERIFY2(has_widget, where.constData());
        const int preset = f.IntValue();
        if (f.kind == FieldKind::kColumn && (preset < f.min || preset > f.max))
          QCOMPARE(ok_after([](ModelDialog&) {}), f.refusal);  // no column chosen yet
        if (f.kind == FieldKind::kInteger)
          for (int bad : {f.min - 1, f.max + 1})
            QCOMPARE(ok_after([&](ModelDialog& d) { Field(d, f.key.c_str())->setText(QString::number(bad)); }),
                     f.refusal);
        if (f.kind == FieldKind::kText && !f.forbidden.empty())
          for (char c : f.forbidden)
            QCOMPARE(ok_after([&](ModelDialog& d) { Field(d, f.key.c_str())->setText(QString("a%1b").arg(QChar(c))); }),
                     f.refusal);
        if (f.kind == FieldKind::kText && f.max_characters > 0) {
          // The field stops at its limit in characters: twenty wide characters fit.
          const auto limit = static_cast<int>(f.max_characters);
          QLineEdit* edit = Field(*shown, f.key.c_str());
          edit->setText(QString(limit + 1, QChar(0x3042)));
          QCOMPARE(edit->text().size(), limit);
          QCOMPARE(ok_after([&](ModelDialog& d) { Field(d, f.key.c_str())->setText(QString(limit, QChar(0x3042))); }),
                   std::string());
        }
        if (f.kind == FieldKind::kReal)
          QCOMPARE(ok_after([&](ModelDialog& d) { Field(d, f.key.c_str())->setText("1e9"); }), std::string());
        if (f.kind == FieldKind::kColumnList && f.list->limit > 0)
          QCOMPARE(ok_after([&](ModelDialog& d) {
                     auto* data = d.findChild<QListWidget*>("data_list");
                     for (std::size_t row = 0; row <= f.list->limit; ++row)
                       data->item(static_cast<int>(row))->setSelected(true);
                     d.findChild<QPushButton*>(Q(f.list->add_button))->click();
                     // The refusal came when the list was full; OK itself passes.
                     QCOMPARE(refusals_, std::vector<std::string>{f.refusal});
                     QCOMPARE(d.findChild<QListWidget*>(name)->count(),
                              static_cast<int>(std::max(f.list->limit, f.list->rows_shown)));
                     refusals_.clear();
                   }),
                   std::string());
      }
    }
  }

  // A model the front end has never heard of renders from its schema alone, pages included.
  void aNewModelRendersFromItsSchemaAlone() {
    struct Sheet : DialogModel {
      std::string Title() const override { return "Settings"; }
      DialogSchema Schema() override {
        DialogSchema s;
        s.AddPage("Axis");
        s.Integer("ticks", "Ticks (1-9)", ticks, 1, 9, "Enter an integer between 1 and 9.");
        s.AddPage("Legend");
        s.CheckBox("legend", "Legend", "Show", legend);
        return s;
      }
      int ticks = 3;
      bool legend = false;
    } model;
    auto dialog = CreateModelDialog(model, nullptr);
    QCOMPARE(dialog->windowTitle(), QString("Settings"));
    auto* pages = dialog->findChild<QTabWidget*>("pages");
    QVERIFY(pages != nullptr);
    QCOMPARE(pages->count(), 2);
    QCOMPARE(pages->tabText(1), QString("Legend"));
    QVERIFY(pages->widget(0)->findChild<QLineEdit*>("ticks") != nullptr);
    QVERIFY(pages->widget(1)->findChild<QCheckBox*>("legend") != nullptr);
    dialog->show();
    Field(*dialog, "ticks")->setText("10");
    dialog->accept();
    QVERIFY(dialog->isVisible());
    QCOMPARE(refusals_.back(), std::string("Enter an integer between 1 and 9."));
    Field(*dialog, "ticks")->setText("9");
    dialog->findChild<QCheckBox*>("legend")->setChecked(true);
    dialog->accept();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(model.ticks, 9);
    QVERIFY(model.legend);
  }

  void fileFiltersBecomeQtNameFilters() {
    QCOMPARE(TranslateFileFilter("Text files(*.txt)|*.txt|All files(*.*)|*.*||"),
             (std::vector<std::string>{"Text files(*.txt)", "All files(*)"}));
    QCOMPARE(TranslateFileFilter("ORVEL macro file(*.ovm)|*.ovm|"), (std::vector<std::string>{"ORVEL macro file(*.ovm)"}));
    QCOMPARE(TranslateFileFilter("Pictures|*.emf;*.wmf||"), (std::vector<std::string>{"Pictures (*.emf *.wmf)"}));
    QCOMPARE(TranslateFileFilter(""), std::vector<std::string>{});
    QCOMPARE(WithDefaultExtension("/tmp/result", "txt"), std::string("/tmp/result.txt"));
    QCOMPARE(WithDefaultExtension("/tmp/result.csv", "txt"), std::string("/tmp/result.csv"));
    QCOMPARE(WithDefaultExtension("/tmp/a.b/result", "txt"), std::string("/tmp/a.b/result.txt"));
  }
};

static Register<DialogsTest> registration;

}  // namespace orvel::gui::testing

#include "dialogs_test.moc"
