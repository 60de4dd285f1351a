// The Qt dialogs of the program's dialog models, rendered from each model's field schema by one
// builder: the model's title, its labels and widgets, and the checks its Accept() makes before
// OK closes it. A dialog needs no Qt code of its own (app/dialogs.h says how to write one).
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/dialogs.h"
#include "sheet/orvel_doc.h"

namespace orvel::gui {

// A dialog editing one model. OK writes every field into the model through its keys and asks
// the model's Accept(); a refused answer is shown and the dialog stays open. Cancel puts the
// model's presets back.
class ModelDialog : public QDialog {
 public:
  ModelDialog(QWidget* parent, DialogModel& model);

  void accept() override;
  void reject() override;

  // How a refusal is shown: by default a warning box titled "ORVEL"; tests record it instead.
  // An empty handler puts the default back. A full column list's message is told the same way.
  using RefusalHandler = std::function<void(QWidget* dialog, const std::string& reason)>;
  static void SetRefusalHandler(RefusalHandler handler);
  static void Refuse(QWidget* dialog, const std::string& reason);
  const std::string& LastRefusal() const { return last_refusal_; }

  // A field: its key, how to read its text from the widgets, and the refusal shown when the
  // text does not fit it.
  void AddField(std::string key, std::function<std::string()> read, std::string refusal);

 private:
  DialogModel& model_;
  std::vector<DialogFieldValue> presets_;
  struct Field {
    std::string key;
    std::function<std::string()> read;
    std::string refusal;
  };
  std::vector<Field> fields_;
  std::string last_refusal_;
};

// The dialog for `model`, rendered from its schema. Column fields and lists name the sheet's
// columns from `doc` (an empty sheet when none is given).
std::unique_ptr<ModelDialog> CreateModelDialog(DialogModel& model, QWidget* parent, const CORVELDoc* doc = nullptr);

}  // namespace orvel::gui
