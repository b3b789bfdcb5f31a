/* The captions of the dialogs, their controls and the names list's menu: read by the
   resource script and by the terminal dialog, so both show the same words. Plain
   #defines of ASCII literals: the resource compiler reads this file too. */
#pragma once

/* Multi Rename */
#define MR_CAPTION_MULTI_RENAME "Multi Rename"
#define MR_CAPTION_RENAME "Rename"
#define MR_CAPTION_CANCEL "Cancel"
#define MR_CAPTION_ALLOW_EXTENSION_CHANGES "Allow Extension Changes"
#define MR_CAPTION_NUMBERS_AS_TEXT "Treat Numbers as Text"
#define MR_CAPTION_RESET "Reset"
#define MR_CAPTION_COPY_NAMES "Copy Names"
#define MR_CAPTION_PASTE_NAMES "Paste Names"
#define MR_CAPTION_OLD_NAME "Old Name"
#define MR_CAPTION_NEW_NAME "New Name"
#define MR_CAPTION_FOLDER "Folder"

/* Change Wild and Change Number */
#define MR_CAPTION_CHANGE_WILD "Change Wild"
#define MR_CAPTION_CHANGE_NUMBER "Change Number"
#define MR_CAPTION_OK "OK"
#define MR_CAPTION_CLEAR_TEXT "Clear Text"
#define MR_CAPTION_NO_CHANGE "No Change"
#define MR_CAPTION_LENGTH "Length"
#define MR_CAPTION_TRUNCATE "Truncate, to maximum length:"
#define MR_CAPTION_CASE "Case"
#define MR_CAPTION_UPPER "Upper"
#define MR_CAPTION_LOWER "Lower"
#define MR_CAPTION_NUMBER "Number"
#define MR_CAPTION_RENUMBER "Renumber starting from:"
#define MR_CAPTION_LEADING_ZEROS "Leading Zeros"
#define MR_CAPTION_REMOVE "Remove"
#define MR_CAPTION_MAKE_NUMBER "Make number with"
#define MR_CAPTION_DIGITS "digits"

/* The names list's menu */
#define MR_MENU_COPY_NAMES "&Copy Name(s)"
#define MR_MENU_PASTE_NAMES "&Paste Name(s)"
#define MR_MENU_RESET_NAMES "&Reset Name(s)"
#define MR_MENU_REMOVE_FILES "Remove File(s) From List"
#define MR_MENU_SELECT_ALL "Select &All"
#define MR_MENU_INVERT_SELECTION "&Invert Selection"
