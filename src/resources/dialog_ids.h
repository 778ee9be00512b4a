/* Control identifiers of the dialog toolkit's templates. */
#define IDC_MSGBOX_TEXT 10
