#include "tools/program_data_file.h"

#include "app/process_environment.h"
#include "app/startup.h"

namespace velorine::tools {

std::string programDataFile() {
    return app::dataFileIn(app::configuredDataDirectory(app::configFilePath(), app::defaultDataDirectory()));
}

}  // namespace velorine::tools
