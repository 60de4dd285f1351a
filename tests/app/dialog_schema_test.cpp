// The dialog schemas, checked field by field for every dialog model: each field takes back the
// text it writes, refuses what is outside its limits with its own message, and docs/batch.md
// lists every dialog's title with exactly its keys.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "app/data_settings_dialogs.h"
#include "app/dialogs.h"
#include "app/orvel_view.h"
#include "app/sort_dialog.h"
#include "support/scripted_port.h"

namespace orvel {
namespace {

// A text of n characters that are three bytes each in UTF-8.
std::string Wide(std::size_t n) {
  std::string text;
  for (std::size_t i = 0; i < n; ++i) text += "\xE3\x81\x82";  // あ
  return text;
}

std::string ColumnsText(int first, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += (i ? "," : "") + std::to_string(first + static_cast<int>(i));
  return text;
}

// What each kind of field must take and refuse. `accepted`: SetField succeeds and OK passes;
// `refused_by_ok`: SetField succeeds, OK returns the field's refusal; `not_taken`: SetField fails.
struct Probe {
  std::string text;
  enum Outcome { kAccepted, kRefusedByOk, kNotTaken } outcome;
};

std::vector<Probe> ProbesFor(const DialogField& f) {
  using P = Probe;
  switch (f.kind) {
    case FieldKind::kShown: return {{"x", P::kNotTaken}};
    case FieldKind::kInteger:
      return {{std::to_string(f.min), P::kAccepted},     {std::to_string(f.max), P::kAccepted},
              {std::to_string(f.min - 1), P::kRefusedByOk}, {std::to_string(f.max + 1), P::kRefusedByOk},
              {"x", P::kNotTaken},                           {"", P::kNotTaken}};
    case FieldKind::kText: {
      std::vector<Probe> probes{{"two words", P::kAccepted}};
      if (f.max_characters > 0) {
        probes.push_back({Wide(f.max_characters), P::kAccepted});  // characters, not bytes
        probes.push_back({Wide(f.max_characters + 1), P::kRefusedByOk});
      }
      for (char c : f.forbidden) probes.push_back({std::string("a") + c + "b", P::kRefusedByOk});
      return probes;
    }
    case FieldKind::kReal:
      if (f.corrected_to) return {{"2.5", P::kAccepted}, {"-7", P::kAccepted}, {"x", P::kAccepted}};
      return {{std::to_string(f.max_real), f.max_open ? P::kRefusedByOk : P::kAccepted},
              {std::to_string(f.max_real + 1), P::kRefusedByOk},
              {std::to_string(f.min_real - 1), P::kRefusedByOk},
              {"x", P::kNotTaken}};
    case FieldKind::kChoice: {
      std::vector<Probe> probes{{std::to_string(f.choices.size()), P::kNotTaken}, {"-1", P::kNotTaken}};
      for (std::size_t i = 0; i < f.choices.size(); ++i)
        probes.push_back({f.words.empty() ? std::to_string(i) : f.words[i], P::kAccepted});
      return probes;
    }
    case FieldKind::kCheckBox: return {{"0", P::kAccepted}, {"1", P::kAccepted}, {"2", P::kNotTaken}, {"yes", P::kNotTaken}};
    case FieldKind::kColumn:
      return {{std::to_string(f.max), P::kAccepted},
              {std::to_string(f.max + 1), P::kNotTaken},
              {std::to_string(f.min - 1), P::kNotTaken},
              {"x", P::kNotTaken}};
    case FieldKind::kColumnList: {
      std::vector<Probe> probes{{"", P::kAccepted},
                                {"3, 1", P::kAccepted},
                                {"3,3", P::kNotTaken},
                                {"1,,2", P::kNotTaken},
                                {"101", P::kNotTaken},
                                {std::to_string(f.list->first_column - 1), P::kNotTaken}};
      if (f.list->limit > 0) {
        probes.push_back({ColumnsText(1, f.list->limit), P::kAccepted});
        probes.push_back({ColumnsText(1, f.list->limit + 1), P::kRefusedByOk});
      }
      return probes;
    }
  }
  return {};
}

// A dialog of the kinds no present dialog uses: a refusing real on a second page.
class AxisDialog : public DialogModel {
 public:
  std::string Title() const override { return "Axis"; }
  DialogSchema Schema() override {
    DialogSchema s;
    s.AddPage("Scale");
    s.Integer("ticks", "Ticks (1-9)", ticks, 1, 9, "Enter an integer between 1 and 9.");
    s.AddPage("Range");
    s.Real("scale", "Scale", scale, 0, true, 100, false, "The scale must be above 0 and at most 100.");
    return s;
  }
  int ticks = 3;
  double scale = 1;
};

void CheckEveryField(DialogModel* model) {
  {
    SCOPED_TRACE(model->Title());
    const DialogSchema schema = model->Schema();
    const std::vector<DialogFieldValue> presets = schema.SaveValues();
    // Presets pass OK, except the sort key, which the user must choose.
    EXPECT_EQ(model->Accept(), model->Title() == "Sort" ? std::string(SortDialog::kNoKeyMessage) : "");
    if (model->Title() == "Sort") {
      ASSERT_TRUE(model->SetField("key", "1"));
    }
    const std::string preset_refusal = model->Accept();
    ASSERT_EQ(preset_refusal, "");

    std::set<std::string> keys;
    for (const DialogField& field : schema.fields) {
      SCOPED_TRACE(field.key);
      EXPECT_TRUE(keys.insert(field.key).second) << "a key given twice";
      if (field.kind != FieldKind::kShown) {
        // The text a field writes is taken back unchanged (the widgets and the answers file
        // both go through it).
        const std::string text = field.ValueText();
        EXPECT_TRUE(model->SetField(field.key, text));
        EXPECT_EQ(field.ValueText(), text);
      }
      for (const Probe& probe : ProbesFor(field)) {
        SCOPED_TRACE("value '" + probe.text + "'");
        const std::string before = field.ValueText();
        const bool taken = model->SetField(field.key, probe.text);
        EXPECT_EQ(taken, probe.outcome != Probe::kNotTaken);
        if (!taken) {
          EXPECT_EQ(field.ValueText(), before) << "a refused value changed the field";
        }
        if (probe.outcome == Probe::kAccepted) {
          EXPECT_EQ(model->Accept(), "");
        }
        if (probe.outcome == Probe::kRefusedByOk) {
          EXPECT_FALSE(field.refusal.empty());
          EXPECT_EQ(model->Accept(), field.refusal);
        }
        schema.RestoreValues(presets);
        if (model->Title() == "Sort") model->SetField("key", "1");
      }
    }
    EXPECT_FALSE(model->SetField("no_such_key", "1"));
  }
}

TEST(DialogSchemaTest, EveryFieldTakesItsOwnTextAndRefusesWhatIsOutsideItsLimits) {
  std::set<std::string> titles;
  for (const auto& model : AllDialogModels()) {
    EXPECT_TRUE(titles.insert(model->Title()).second) << "two dialogs share a title: " << model->Title();
    CheckEveryField(model.get());
  }
  AxisDialog axis;
  CheckEveryField(&axis);
  const DialogSchema schema = axis.Schema();
  EXPECT_EQ(schema.pages, (std::vector<std::string>{"Scale", "Range"}));
  EXPECT_EQ(schema.Find("scale")->page, 1);
}

TEST(DialogSchemaTest, ThresholdsOutsideTheirRangesAreCorrectedNotRefused) {
  MultipleRegressionSettingsDialog d;
  const struct {
    const char* key;
    const char* text;
    double stored;
  } cases[] = {
      {"f_in", "4", 4.0},   {"f_in", "4.01", 2.0}, {"f_in", "1", 1.0},  {"f_out", "0.99", 2.0}, {"f_out", "x", 2.0},
      {"p_in", "0", 0.2},   {"p_in", "0.01", 0.01}, {"p_out", "1", 0.2}, {"p_out", "0.99", 0.99}, {"p_out", "", 0.2},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(d.SetField(c.key, c.text)) << c.key << "=" << c.text;
    const double stored = std::string(c.key) == "f_in"    ? d.f_in
                          : std::string(c.key) == "f_out" ? d.f_out
                          : std::string(c.key) == "p_in"  ? d.p_in
                                                          : d.p_out;
    EXPECT_DOUBLE_EQ(stored, c.stored) << c.key << "=" << c.text;
  }
  EXPECT_EQ(d.Accept(), "");
}

// Each data-settings command: presets from the document, the answers through the port, the
// document's settings and the recorded statements after OK; nothing after Cancel.
TEST(DialogSchemaTest, DataSettingsCommandsRunTheirDialogsThroughThePort) {
  CORVELDoc doc;
  testing::ScriptedPort port;
  CORVELView view(doc, port);
  view.IsRecording = true;

  port.QueueDialog(TwoGroupsSettingsDialog::kTitle, {{"y", "7"}});
  view.OnTwoGroupsSetting();
  EXPECT_EQ(doc.TwoGroupX(), 1);
  EXPECT_EQ(doc.TwoGroupY(), 7);
  EXPECT_EQ(view.MacroText, "setxvalue (1);\r\nsetyvalue (7);\r\n");

  view.MacroText.clear();
  port.QueueDialog(GroupColumnsSettingsDialog::kTitle, {{"columns", "5,2"}});
  view.OnGroupColumnsSetting();
  EXPECT_EQ(doc.GroupColumnList(), (std::vector<int>{2, 5}));
  EXPECT_EQ(view.MacroText.rfind("setonefactor (1,false);\r\nsetonefactor (2,true);\r\nsetonefactor (3,false);", 0), 0u);

  view.MacroText.clear();
  port.QueueDialog(MultipleRegressionSettingsDialog::kTitle,
                   {{"y", "4"}, {"x", "9,2"}, {"method", "1"}, {"f_in", "7"}, {"p_out", "0.05"}});
  view.OnMultipleRegressionSetting();
  EXPECT_EQ(doc.Settings().RegressionY, 4);
  EXPECT_TRUE(doc.RegressionXColumn(2) && doc.RegressionXColumn(9) && !doc.RegressionXColumn(4));
  EXPECT_EQ(doc.Settings().RegressionMethod, 1);
  EXPECT_NE(view.MacroText.find("setmultiradio (1);\r\nsetfin (2.000000);\r\nsetfout (2.000000);\r\n"
                                "setpin (0.200000);\r\nsetpout (0.050000);\r\n"),
            std::string::npos);

  port.QueueDialog(PcaSettingsDialog::kTitle, {{"columns", "3,4"}});
  view.OnPcaSetting();
  EXPECT_TRUE(doc.PcaColumn(3) && doc.PcaColumn(4) && !doc.PcaColumn(2));

  view.MacroText.clear();
  port.QueueDialog(DiscriminantSettingsDialog::kTitle, {{"group1", "6,1"}, {"group2", "8"}});
  view.OnDiscriminantSetting();
  EXPECT_EQ(doc.DiscriminantSlot(1, 1), 6);
  EXPECT_EQ(doc.DiscriminantSlot(1, 2), 1);
  EXPECT_EQ(doc.DiscriminantSlot(2, 1), 8);
  EXPECT_EQ(view.MacroText.rfind("sethanbetux (1,6);\r\nsethanbetuy (1,8);\r\nsethanbetux (2,1);\r\nsethanbetuy (2,0);", 0),
            0u);

  view.MacroText.clear();
  port.QueueDialog(ObjectDataDialog::kTitle, {{"data", "included"}});
  view.OnObjectDataOption();
  EXPECT_TRUE(doc.IncludeDataInResult());
  EXPECT_EQ(view.MacroText, "setdatatoresult (true);\r\n");

  // The presets are the document's: the discriminant groups come back as stored.
  const DiscriminantSettingsDialog again = DiscriminantSettingsDialog::FromDocument(doc);
  EXPECT_EQ(again.group1, (std::vector<int>{6, 1}));
  EXPECT_EQ(again.group2, (std::vector<int>{8}));

  // Cancel stores and records nothing.
  view.MacroText.clear();
  doc.SetModified(false);
  port.QueueDialog(ObjectDataDialog::kTitle, {{"data", "not_included"}}, false);
  view.OnObjectDataOption();
  port.QueueDialog(PcaSettingsDialog::kTitle, {}, false);
  view.OnPcaSetting();
  EXPECT_TRUE(doc.IncludeDataInResult());
  EXPECT_TRUE(doc.PcaColumn(3));
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(view.MacroText, "");
}

// The rows of the table "Dialogs and their keys": the title and the keys named in each row.
std::map<std::string, std::set<std::string>> DocumentedDialogs() {
  std::ifstream in(std::filesystem::path(ORVEL_SOURCE_DIR) / "docs" / "batch.md");
  std::map<std::string, std::set<std::string>> rows;
  std::string line;
  bool in_table = false;
  const std::regex row(R"(^\| `([^`]+)` \| (.*) \|$)");
  // A key is written `key=...` (several in one span, blank-separated: `tukey=0\|1 scheffe=0\|1`).
  const std::regex span("`([^`]*)`");
  const std::regex key(R"((?:^|\s)([a-z][a-z0-9_]*)=)");
  while (std::getline(in, line)) {
    if (line.rfind("## ", 0) == 0) in_table = line == "## Dialogs and their keys";
    std::smatch m;
    if (!in_table || !std::regex_match(line, m, row)) continue;
    std::set<std::string>& keys = rows[m[1]];
    const std::string text = m[2];
    for (auto s = std::sregex_iterator(text.begin(), text.end(), span); s != std::sregex_iterator(); ++s) {
      const std::string code = (*s)[1];
      for (auto k = std::sregex_iterator(code.begin(), code.end(), key); k != std::sregex_iterator(); ++k)
        keys.insert((*k)[1]);
    }
  }
  return rows;
}

TEST(DialogSchemaTest, TheBatchManualListsEveryDialogWithItsKeys) {
  const auto documented = DocumentedDialogs();
  ASSERT_FALSE(documented.empty()) << "no dialog table in docs/batch.md";
  std::set<std::string> titles;
  for (const auto& model : AllDialogModels()) {
    titles.insert(model->Title());
    std::set<std::string> keys;
    for (const DialogField& f : model->Schema().fields)
      if (f.kind != FieldKind::kShown) keys.insert(f.key);
    const auto row = documented.find(model->Title());
    ASSERT_NE(row, documented.end()) << "docs/batch.md does not list \"" << model->Title() << "\"";
    EXPECT_EQ(row->second, keys) << model->Title();
  }
  for (const auto& [title, keys] : documented) EXPECT_TRUE(titles.count(title)) << "no dialog titled \"" << title << "\"";
}

}  // namespace
}  // namespace orvel
