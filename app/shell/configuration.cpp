// Reading config.xml. Elements are searched forward only, so `device.info`
// comes before `software`, and `website`, `store`, `upgrade`, `copyright`
// are read in that order; one that is absent is skipped.
#include "shell/configuration.h"

#include "QorUI/manager.h"
#include "QorUI/text.h"
#include "interchange/xml_document.h"

namespace {

bool IsUsableDeviceName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string_view("/\0", 2)) == std::string::npos;
}

// Opens config.xml with the cursor inside `config`.
bool OpenConfiguration(const std::string& program_dir, XmlDocument& doc) {
  return doc.LoadFile(ConfigurationFilePath(program_dir)) && doc.FindElement("config") &&
         doc.EnterElement();
}

void ReadModes(XmlDocument& doc, KeyboardMode record, Configuration& config,
               DeviceFilterSink& filters) {
  while (doc.FindElement("mode")) {
    record.connection_mode = text::ParseDecimal(doc.GetAttribute("value"));
    record.description = doc.GetAttribute("desc");
    record.vendor_id = text::ParseHex(doc.GetAttribute("vid"));
    record.product_id = text::ParseHex(doc.GetAttribute("pid"));
    record.name = doc.GetAttribute("product_name");
    record.interface_pattern = doc.GetAttribute("hid_interface");
    config.modes.push_back(record);
    filters.AddDeviceFilter(record.vendor_id, record.product_id, record.name, record.device_type,
                            record.connection_mode, record.interface_pattern);
  }
}

void ReadModels(XmlDocument& doc, Configuration& config, DeviceFilterSink& filters,
                DeviceListSink& devices) {
  if (!doc.FindElement("device.info")) return;
  doc.EnterElement();
  while (doc.FindElement("keyboard")) {
    KeyboardMode record;
    record.name = doc.GetAttribute("name");
    record.device_type = text::ParseDecimal(doc.GetAttribute("device_type"));
    record.layout_name = doc.GetAttribute("device_info");
    config.models.push_back(record);
    devices.AddDevice(record.name, 0, 0, record.device_type, false);
    doc.EnterElement();
    ReadModes(doc, record, config, filters);
    doc.LeaveElement();
  }
  doc.LeaveElement();
}

void ReadProduct(XmlDocument& doc, ProductStrings& product) {
  if (!doc.FindElement("software")) return;
  product.version = doc.GetAttribute("version");
  doc.EnterElement();
  if (doc.FindElement("website")) product.website_url = doc.GetAttribute("url");
  if (doc.FindElement("store")) product.store_url = doc.GetAttribute("url");
  if (doc.FindElement("upgrade")) product.upgrade_url = doc.GetAttribute("url");
  if (doc.FindElement("copyright")) product.copyright = doc.GetAttribute("info");
  doc.LeaveElement();
}

}  // namespace

std::string ConfigurationFilePath(const std::string& program_dir) {
  return program_dir + "config.xml";
}

void LoadDeviceName(const std::string& program_dir) {
  XmlDocument doc;
  if (!OpenConfiguration(program_dir, doc) || !doc.FindElement("software")) return;
  const std::string name = doc.GetAttribute("name");
  if (IsUsableDeviceName(name)) Manager::SetDeviceName(name);
}

bool LoadConfiguration(const std::string& program_dir, Configuration& config,
                       DeviceFilterSink& filters, DeviceListSink& devices,
                       const LayoutLoadHook& load_layout) {
  config = Configuration{};
  XmlDocument doc;
  const bool read = OpenConfiguration(program_dir, doc);
  if (read) {
    ReadModels(doc, config, filters, devices);
    ReadProduct(doc, config.product);
  }
  if (load_layout) load_layout(kStartupDeviceType);
  return read;
}

bool LoadProductStrings(const std::string& program_dir, ProductStrings& product) {
  // The models are read and dropped: the forward search must pass them to
  // reach `software` exactly as the full load does.
  struct Ignored : DeviceFilterSink, DeviceListSink {
    void AddDeviceFilter(int, int, const std::string&, int, int, const std::string&) override {}
    void AddDevice(const std::string&, int, int, int, bool) override {}
  } ignored;
  Configuration config;
  const bool read = LoadConfiguration(program_dir, config, ignored, ignored, nullptr);
  product = config.product;
  return read;
}
