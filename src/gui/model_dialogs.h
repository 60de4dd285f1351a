// The Qt dialogs of the program's dialog models: one dialog per model type, with the model's
// title, its labels and the checks its Accept() makes before OK closes it.
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
  ModelDialog(QWidget* parent, DialogModel& model, std::function<void()> restore_presets);

  void accept() override;
  void reject() override;

  // How a refusal is shown: by default a warning box titled "ORVEL"; tests record it instead.
  // An empty handler puts the default back.
  using RefusalHandler = std::function<void(QWidget* dialog, const std::string& reason)>;
  static void SetRefusalHandler(RefusalHandler handler);
  const std::string& LastRefusal() const { return last_refusal_; }

  // A field: its key and how to read its text from the widgets.
  void AddField(std::string key, std::function<std::string()> read, std::string refusal);
  // The OK / Cancel buttons under `layout`'s content.
  void AddButtons();

 private:
  DialogModel& model_;
  std::function<void()> restore_presets_;
  struct Field {
    std::string key;
    std::function<std::string()> read;
    std::string refusal;  // shown when the text does not fit the field
  };
  std::vector<Field> fields_;
  std::string last_refusal_;
};

// The dialog for `model`, or nothing when the front end has none for its type. Dialogs that
// list the sheet's columns by name read them from `doc`.
std::unique_ptr<ModelDialog> CreateModelDialog(DialogModel& model, QWidget* parent, const CORVELDoc* doc = nullptr);

}  // namespace orvel::gui
