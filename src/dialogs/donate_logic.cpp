#include "dialogs/donate_logic.h"

#include "registry/history.h"
#include "registry/registry_store.h"

namespace quillet::dialogs {

const char kDonateCaption[] = "Support \"%s\"";
const char kDonateFirstLine[] = "\"%s\" is Freeware. You may use it for FREE as long as you like.";
const char kDonateAppeal[] =
    "However, if you think this Software is useful && valuable and you want to support \"Dorvane\" "
    "through monetary donation, you can encourage to do so. Your donation will help the development "
    "going and make \"%s\" and other Brask Software better.";
const char kDonateShowBox[] = "Show this dialog when \"%s\" starts";
const char kDonateHint[] = "Click Here to Send your Donation !!!";

namespace {
const char kSupportKey[] = "Brask\\Support";
}

std::string DialogNumber(int tag) {
  std::string n = std::to_string(tag);
  return tag < 10 ? "0" + n : n;
}

std::string PutProduct(const std::string& text, const std::string& product) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 's') {
      out += product;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

DonateTexts DesignedDonateTexts() { return {kDonateCaption, kDonateFirstLine, kDonateAppeal, kDonateShowBox}; }

void DonateFormShow(int tag, const std::string& product, DonateTexts& texts, ui::ICheckBox& show_box) {
  const std::string number = DialogNumber(tag);
  texts.caption = PutProduct(texts.caption, product);
  texts.appeal = PutProduct(texts.appeal, product);
  texts.first_line = PutProduct(texts.first_line, product);
  texts.show_box = PutProduct(texts.show_box, product);
  const std::string stored = ReadUserText(kSupportKey, number);
  show_box.SetChecked(stored.empty() || stored == "1");
}

void DonateFormClose(int tag, const ui::ICheckBox& show_box) {
  const std::string number = DialogNumber(tag).substr(0, 2);
  if (tag == 0) return;
  const RecordedAction record(show_box.Checked() ? "Show" : "Skip", "Donation Prompt at Start");
  CreateKeyAt(kCurrentUser, "Brask");
  CreateKeyAt(kCurrentUser, kSupportKey);
  RegistryStore store;
  store.SetRoot(kCurrentUser);
  store.Open(kSupportKey, true);
  store.WriteText(number, show_box.Checked() ? "1" : "0");
  store.Close();
}

}  // namespace quillet::dialogs
