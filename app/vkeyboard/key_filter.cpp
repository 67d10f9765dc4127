// Refreshing the filter in the order that never lets the monitor see a half-built table.
#include "vkeyboard/key_filter.h"

KeyFilter& KeyFilter::GetInstance() {
  static KeyFilter instance(MakeEvdevKeySource(VHidev::GetInstance()), VHidev::GetInstance());
  return instance;
}

KeyFilter::KeyFilter(std::unique_ptr<KeyEventSource> source, VHidev& vhidev)
    : m_source(std::move(source)), m_vhidev(vhidev), m_monitor(*m_source) {}

KeyFilter::~KeyFilter() {
  StopAndClear();
}

void KeyFilter::SetKeyboards(const std::vector<UsbId>& keyboards) {
  m_source->SetKeyboards(keyboards);
}

void KeyFilter::SetKeyboardInterface(const std::string& hid_path) {
  std::lock_guard refresh(m_refresh_lock);
  m_source->SetKeyboardInterface(hid_path);
}

NodeAccess KeyFilter::CheckAccess() {
  return m_source->CheckAccess();
}

int KeyFilter::Refresh(ProfileStore& store, int profile, int fn_layer) {
  std::lock_guard refresh(m_refresh_lock);
  m_vhidev.ReleaseAll();
  m_monitor.Stop();
  ClearTable();

  std::vector<KeyAssignmentRow> rows;
  store.GetKeyAssignments(profile, fn_layer, rows);
  KeyFilterTable table = BuildKeyFilterTable(rows);
  if (table.Empty()) return 0;
  {
    std::lock_guard lock(m_key_map_lock);
    m_key_map = std::move(table.key_map);
  }
  m_source->SetKeyTable(table.keys);
  m_monitor.Stop();
  m_source->Start();
  m_monitor.Start();
  return static_cast<int>(table.keys.size());
}

void KeyFilter::StopAndClear() {
  std::lock_guard refresh(m_refresh_lock);
  m_monitor.Stop();
  ClearTable();
  // After the monitor is stopped, so no key it handles can go down again behind the release.
  m_vhidev.ReleaseAll();
}

void KeyFilter::ClearTable() {
  m_source->SetKeyTable({});
  std::lock_guard lock(m_key_map_lock);
  m_key_map.clear();
}

std::optional<KeyAssignmentRow> KeyFilter::Lookup(int key_code) const {
  std::lock_guard lock(m_key_map_lock);
  const auto it = m_key_map.find(key_code);
  if (it == m_key_map.end()) return std::nullopt;
  return it->second;
}
