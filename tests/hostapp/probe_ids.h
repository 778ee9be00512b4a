/* Identifiers of the probe plug-in's style-editor pane, shared by its resource script, its code
 * and the test scripts that drive the pane. Plain defines: the resource compiler reads them. */
#ifndef KX_PROBE_IDS_H
#define KX_PROBE_IDS_H

#define IDD_PROBE_PANE 100
#define IDC_PROBE_LABEL 1
#define IDC_PROBE_CHOICE 2
#define IDC_PROBE_NOTE 3
#define IDC_PROBE_FLAG 4

#endif
