# Builds one variant's extension.js: the format's head, the D-Bus interface
# as a string, the shared body, the format's tail.
file(READ ${SOURCE_DIR}/${VARIANT}-head.js head)
file(READ ${SOURCE_DIR}/com.corvanta.Halvoscope.ShellExtension.xml iface)
file(READ ${SOURCE_DIR}/body.js body)
file(READ ${SOURCE_DIR}/${VARIANT}-tail.js tail)
string(REGEX REPLACE "<!DOCTYPE[^>]*>\n" "" iface "${iface}")
string(REPLACE "`" "" iface "${iface}")
file(WRITE ${OUTPUT}.tmp
  "// Generated from body.js and ${VARIANT}-head.js/-tail.js; edit those.\n"
  "${head}\nconst HALVOSCOPE_IFACE = `${iface}`;\n\n${body}\n${tail}")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
