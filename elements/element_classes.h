// Every setup element class, for code that creates or inspects elements of
// several types.
#pragma once

#include "elements/setup_backup_file.h"
#include "elements/setup_cust_file.h"
#include "elements/setup_custom_dll.h"
#include "elements/setup_delete_file.h"
#include "elements/setup_dir.h"
#include "elements/setup_element.h"
#include "elements/setup_executable.h"
#include "elements/setup_file.h"
#include "elements/setup_profile_string.h"
#include "elements/setup_reg_entry.h"
#include "elements/setup_reg_file.h"
#include "elements/setup_runtime_file.h"
#include "elements/setup_runtime_reg_entry.h"
#include "elements/setup_self_reg_file.h"
#include "elements/setup_shortcut.h"
#include "elements/setup_ttf_file.h"
#include "elements/uninstall_custom_dll.h"
#include "elements/unistall_executable.h"
