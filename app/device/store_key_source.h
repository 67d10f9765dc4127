// StoreKeyCommandSource: the key commands' source over the profile store and
// the loaded layout, for one profile and Fn layer.
#pragma once

#include "device/key_command_input.h"
#include "keys/keyboard_layout.h"
#include "store/profile_store.h"

class StoreKeyCommandSource final : public KeyCommandSource {
 public:
  StoreKeyCommandSource(ProfileStore& store, const KeyboardLayout& layout, int profile,
                        int fn_layer);

  std::vector<KeyAssignmentRow> GetKeyAssignments() override;
  std::optional<KeyAssignmentRow> GetKeyAssignment(int key_code) override;
  std::optional<StoredMacro> GetMacro(int macro_id) override;
  std::optional<int> KeyIndex(int key_code) override;

 private:
  ProfileStore& m_store;
  const KeyboardLayout& m_layout;
  int m_profile;
  int m_fn_layer;
};
